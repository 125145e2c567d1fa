#include "kestrel_app.h"
#include "platform/huge_pages.h"

int main(int argc, char** argv)
{
    kestrel::platform::RestartWithHugePages(argc, argv);
    kestrel::app::SetDefaultGlFormat();
    kestrel::app::CKestrelApp app(argc, argv);
    if (!app.Start())
        return 1;
    return app.exec();
}
