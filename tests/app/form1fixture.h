// SPDX-FileCopyrightText: 2026 The Korvel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/form1.h"
#include "app/form1services.h"
#include "app/userprompts.h"
#include "clockset/networktimeswitch.h"
#include "loopbacktimeserver.h"
#include "net/internetflags.h"
#include "options/optionstore.h"
#include "startup/startuprule.h"
#include "support/fakebackend.h"
#include "support/fakeclocksetter.h"
#include "support/localescope.h"
#include "support/mockclock.h"
#include "support/optionfile.h"
#include "support/qtprinters.h"
#include "timeclient/korvelcontrol.h"

#include <QComboBox>
#include <QListWidget>
#include <QStringList>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

// Answers the window's questions in place of the user and counts beeps.
class FakePrompts : public UserPrompts
{
public:
    bool yes = false;
    QStringList asked;
    QStringList texts;
    int beeps = 0;
    // What happens while the question is open: the window's events run.
    std::function<void()> whileAsking;

    bool askYesNo(QWidget*, const QString& title, const QString& text) override
    {
        asked.append(title);
        texts.append(text);
        if (whileAsking)
            whileAsking();
        return yes;
    }
    bool askChoice(QWidget*, const QString& title, const QString& text, const QString&, const QString&) override
    {
        return askYesNo(nullptr, title, text);
    }
    QString askText(QWidget*, const QString& title, const QString& prompt) override
    {
        asked.append(title);
        texts.append(prompt);
        return {};
    }
    void beep() override { ++beeps; }
};

// The main window on a settings file of its own, with `backend` for the
// connection and no system bus; nothing reaches the machine's clock, the
// user or the process's end.
class Form1Fixture : public testing::Test
{
protected:
    // Loads a window from `options` (null: no file) as the start-up rule
    // would; options without a group header are put under [Option].
    Form1& load(const QByteArray& options, bool startedWithLoad = false)
    {
        form.reset();
        if (!options.isNull())
            file.write(options.contains("[Option]") ? options : "[Option]\n" + options);
        store = std::make_unique<OptionStore>(file.path());
        const StartupState startup =
            StartupRule::Form_Initialize(*store, startedWithLoad ? QStringLiteral("korvel Load 1") : QString());
        form = std::make_unique<Form1>(startup, *store, services());
        if (!host.isEmpty())
            form->korvel().setHost(host);
        form->Form_Load();
        // Tests run the ticks themselves.
        form->timer1()->stop();
        return *form;
    }

    virtual Form1Services services()
    {
        return {backend, clockSetter, prompts, networkTime, [this] { ++ends; }, buildDay, [this] { return tray; }};
    }

    static QStringList lines(const Form1& window)
    {
        QStringList all;
        for (int row = 0; row < window.design().lstConnectState->count(); ++row)
            all.append(window.design().lstConnectState->item(row)->text());
        return all;
    }
    QStringList lines() const { return lines(*form); }

    QString saved(const OptionKey& key) const { return OptionStore(file.path()).read(key); }

    std::shared_ptr<ConnectionBackend> backend;
    std::shared_ptr<FakeClockSetter> clockSetter = std::make_shared<FakeClockSetter>();
    std::shared_ptr<FakePrompts> prompts = std::make_shared<FakePrompts>();
    std::shared_ptr<NetworkTimeSwitch> networkTime =
        std::make_shared<NetworkTimeSwitch>(QDBusConnection(QStringLiteral("korvel-without-bus")));
    QString host;        // the time server, when set
    QDate buildDay;      // when set, the build day answers are judged by
    bool tray = false;   // whether the desktop has a tray
    int ends = 0;
    OptionFile file;
    std::unique_ptr<OptionStore> store;
    std::unique_ptr<Form1> form;
};

// The window with the en_US locale on a connection that is up (a modem, no
// dial-up support), with a time server following the test's clock ten
// seconds ahead; "now" is years after any build day.
class Form1OnAModem : public Form1Fixture
{
protected:
    static inline const QDateTime kNow{QDate(2030, 6, 15), QTime(12, 0, 0), Qt::UTC};

    Form1OnAModem()
    {
        fake->state = {NetResult::success(), InternetFlags::Modem, {}};
        backend = fake;
        host = server->entry();
        // A fixed day, so that the fixed "now" never lies before a later build.
        buildDay = kNow.date();
    }

    const LocaleScope locale{"en_US"};
    SteppingClock clock{kNow};
    std::shared_ptr<FakeBackend> fake = std::make_shared<FakeBackend>();
    std::unique_ptr<LoopbackTimeServer> server = LoopbackTimeServer::followingClock(std::chrono::seconds(10));
};
