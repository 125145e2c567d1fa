#include "kestrel_app.h"
#include "platform/memory_reuse.h"
#include "program_options.h"

int main(int argc, char** argv)
{
    if (const auto code = kestrel::app::AnswerInformationOptions(argc, argv))
        return *code;
    kestrel::platform::KeepFreedMemoryForReuse();
    kestrel::app::SetDefaultGlFormat();
    kestrel::app::CKestrelApp app(argc, argv);
    if (!app.Start())
        return 1;
    return app.exec();
}
