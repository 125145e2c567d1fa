// Runs GUI tests with settings in a fresh temporary home, so that no user's settings are read
// or written and tests do not see each other's runs.
#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

#include "gui_test_env.h"

namespace kestrel::test {

QString& OutputFolder()
{
    static QString folder;
    return folder;
}

} // namespace kestrel::test

int main(int argc, char** argv)
{
    QTemporaryDir home;
    if (!home.isValid())
        return 2;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + "/.local/share").toUtf8());
    qputenv("XDG_CACHE_HOME", (home.path() + "/.cache").toUtf8());
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        QDir(home.path()).mkdir("runtime");
        QFile::setPermissions(home.path() + "/runtime", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", (home.path() + "/runtime").toUtf8());
    }
    // Without an X server (ctest run by hand) the widgets still work off screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);

    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Halvard");
    QApplication::setApplicationName("Kestrel");
    kestrel::test::OutputFolder() = QString::fromUtf8(KESTREL_TEST_OUTPUT);
    QDir().mkpath(kestrel::test::OutputFolder());
    return RUN_ALL_TESTS();
}
