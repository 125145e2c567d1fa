#include "kestrel_app.h"
#include "platform/memory_reuse.h"

int main(int argc, char** argv)
{
    kestrel::platform::KeepFreedMemoryForReuse();
    kestrel::app::SetDefaultGlFormat();
    kestrel::app::CKestrelApp app(argc, argv);
    if (!app.Start())
        return 1;
    return app.exec();
}
