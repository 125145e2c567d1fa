#pragma once
// Model exchange interface: the C calls through which models cross between the
// engine and the plug-ins.
#define TESSERA_API __attribute__((visibility("default")))
