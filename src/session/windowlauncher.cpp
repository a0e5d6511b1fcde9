// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/windowlauncher.h"

#include "app/form1.h"
#include "app/form1services.h"
#include "base/language.h"
#include "options/optionstore.h"
#include "session/sessioninstance.h"
#include "session/startsteps.h"
#include "session/terminationwatch.h"
#include "startup/commandline.h"
#include "startup/startuphandoff.h"
#include "startup/startuprule.h"

#include <QApplication>
#include <QList>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>

namespace {

// Without any of these Qt's default platform cannot start and would abort.
bool hasDisplay()
{
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// What names the display, for the message when it cannot be opened.
QString displaySettings()
{
    QStringList settings;
    for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"}) {
        if (!qEnvironmentVariableIsEmpty(name))
            settings << QLatin1String(name) + u'=' + qEnvironmentVariable(name);
    }
    return settings.join(QStringLiteral(", "));
}

// Qt ends with a fatal message (and an abort) when its platform cannot open
// the display. While the application object is made, messages are held: a
// fatal one becomes one line and exit code 1, the others are passed on after.
struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};
QList<HeldMessage> heldMessages;

void holdStartMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "korvel: cannot open the display (%s); the window cannot be shown\n",
                     qPrintable(displaySettings()));
        std::_Exit(1);
    }
    heldMessages.append({type, context.category, text});
}

std::unique_ptr<QApplication> openDisplay(int& argc, char** argv)
{
    const QtMessageHandler passOn = qInstallMessageHandler(holdStartMessage);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(passOn);
    for (const HeldMessage& message : std::exchange(heldMessages, {}))
        qt_message_output(message.type, QMessageLogContext(nullptr, 0, nullptr, message.category.constData()),
                          message.text);
    return app;
}

// The application object on its display, named, in the user's language.
std::unique_ptr<QApplication> startApplication(int& argc, char** argv)
{
    qSetMessagePattern(QStringLiteral("%{time yyyy-MM-dd hh:mm:ss.zzz} %{category}: %{message}"));
    std::unique_ptr<QApplication> app = openDisplay(argc, argv);
    // Named after the command, not after this program's file.
    QCoreApplication::setApplicationName(QStringLiteral("korvel"));
    // Lets Wayland desktops match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.korvel.Korvel"));
    StartSteps::done("display opened (QApplication)");
    Language::load(QLocale::system().uiLanguages(), Language::folders());
    StartSteps::done("translation loaded");
    return app;
}

} // namespace

int runWindow(int argc, char** argv)
{
    StartSteps::done("main entered");
    // `korvel` applied the start-up rule before it started this program;
    // started some other way, this program applies it itself, before the
    // application object exists, so that leaving at once needs no display.
    OptionStore store;
    const std::optional<StartupState> handedOver = StartupHandoff::take();
    StartupState startup = handedOver
        ? *handedOver
        : StartupRule::Form_Initialize(store, CommandLine::fromArguments(argc, argv));
    if (startup.leaveAtOnce)
        return 0;
    if (handedOver)
        startup.m_sLastUpdate = store.read(Option::LastUpdate);
    SessionInstance instance(store.fileName());
    switch (instance.claim(startup.m_bStartedWithLoad ? SessionInstance::Request::Unattended
                                                      : SessionInstance::Request::ShowWindow)) {
    case SessionInstance::Claim::HandedOver:
        return 0;
    case SessionInstance::Claim::NotAnswered:
        return 1;
    case SessionInstance::Claim::Run:
        break;
    }
    StartSteps::done("options read, instance claimed");
    if (!hasDisplay()) {
        std::fputs("korvel: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are unset)\n",
                   stderr);
        return 1;
    }

    const std::unique_ptr<QApplication> app = startApplication(argc, argv);

    Form1Services services;
    // The window ends the process at once: the guard's files go first.
    services.endProgram = [&instance] {
        instance.release();
        std::fflush(nullptr);
        std::_Exit(0);
    };
    services.completeWithSystem();
    StartSteps::done("system services found (D-Bus)");
    Form1 form(startup, store, std::move(services));
    form.Form_Load();
    StartSteps::done("window loaded");
    QTimer::singleShot(0, [] { StartSteps::done("first events handled"); });
    // A later start brings the window up, out of the tray if need be.
    instance.setShowWindow([&form] { form.ShowFromTray(); });
    // Only a loaded window can save what it holds; a signal before this
    // point ends Korvel with nothing changed.
    const TerminationWatch termination([&form] { form.Form_Unload(); });
    // Later starts wait until then, so that whatever they see after the
    // hand-over ends through the window's own sequence.
    instance.serveLaterStarts();
    return QApplication::exec();
}
