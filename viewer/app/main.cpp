#include "kestrel_app.h"

int main(int argc, char** argv)
{
    kestrel::app::SetDefaultGlFormat();
    kestrel::app::CKestrelApp app(argc, argv);
    if (!app.Start())
        return 1;
    return app.exec();
}
