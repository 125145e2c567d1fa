#include "status_message.h"

namespace kestrel::frame {

void CStatusMessage::Set(const QString& text, int severity)
{
    text_ = text;
    severity_ = text.isEmpty() ? kNone : severity;
    emit Changed();
}

} // namespace kestrel::frame
