// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/session/commandline.h"
#include "app/session/singleinstancename.h"
#include "app/settings/preferencesfile.h"
#include "cmainwindow.h"
#include "csingleinstance.h"

#include <QApplication>

int main(int argc, char** argv) {
    QByteArrayList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QByteArray(argv[i]));
    const QByteArray commandLine = CleanCommandLine(arguments);

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvin"));
    QApplication::setOrganizationName(QStringLiteral("Tarnwick"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tarnwick.Quorvin"));

    CSingleInstance instance(SingleInstanceName());
    if (!instance.Listen()) {
        // Another window answers: it gets the command line (an empty one only raises it).
        (void)instance.HandOver(HandOverPath(commandLine));
        return 0;
    }

    CMainWindow window;
    QObject::connect(&instance, &CSingleInstance::HandedOver, &window,
                     &CMainWindow::HandleHandOver);
    window.Initialise(PreferencesFilePath(), commandLine);
    window.show();
    return QApplication::exec();
}
