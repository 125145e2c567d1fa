#pragma once
#include <string>
#include <vector>

#include "convert_command.h"
#include "render_command.h"
#include "thumbnail_command.h"

namespace kestrel::cli {

// Reads the arguments after "render"; false with a message for anything it cannot take.
bool ParseRenderArguments(const std::vector<std::string>& args, RenderOptions& options, std::string& error);

// Reads the arguments after "thumbnail": FILE -o OUT.png [--size WxH|N] [--plugins DIR], or
// with OUT.png as a second file name (a thumbnailer's "--size %s %i %o").
bool ParseThumbnailArguments(const std::vector<std::string>& args, ThumbnailOptions& options, std::string& error);

// Reads the arguments after "info": FILE [--plugins DIR].
bool ParseInfoArguments(const std::vector<std::string>& args, std::string& file, std::string& plugIns,
                        std::string& error);

// Reads the arguments after "convert" when OUT is a model format: IN OUT [--ascii]
// [--binary] [--no-meshes] [--no-materials] [--no-skeleton] [--no-animation] [--plugins DIR].
bool ParseModelConvertArguments(const std::vector<std::string>& args, ModelConvertOptions& options,
                                std::string& error);

} // namespace kestrel::cli
