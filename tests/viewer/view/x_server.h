#pragma once
// The OpenGL view shows only on an X server; the test command starts one (xvfb-run).

#include <QGuiApplication>
#include <gtest/gtest.h>

#define KESTREL_SKIP_WITHOUT_X_SERVER()                                                          \
    if (QGuiApplication::platformName() != QLatin1String("xcb"))                                \
    GTEST_SKIP() << "the OpenGL view needs an X server (run under xvfb-run)"
