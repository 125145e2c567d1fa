#include "document_panels.h"

#include "information_lines.h"
#include "model_objects.h"

namespace kestrel::panels {

ObjectTree ObjectTreeFor(const doc::Document& document)
{
    return BuildObjectTree(ObjectsFromModel(document.model, document.viewMode));
}

std::vector<std::string> InformationFor(const doc::Document& document)
{
    const ImageFacts image{document.image.mWidth, document.image.mHeight, document.image.mBpp};
    return InformationLines(document.viewMode, document.stats, image);
}

} // namespace kestrel::panels
