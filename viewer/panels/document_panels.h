#pragma once
#include <string>
#include <vector>

#include "document.h"
#include "object_tree.h"

// Both pages of the statistics panel for a document, as they are rebuilt after every load
// and every plug-in run.
namespace kestrel::panels {

ObjectTree ObjectTreeFor(const doc::Document& document);

std::vector<std::string> InformationFor(const doc::Document& document);

} // namespace kestrel::panels
