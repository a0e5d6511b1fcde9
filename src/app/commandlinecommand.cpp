#include "app/commandlinecommand.h"

#include "app/optionstore.h"
#include "app/statusreport.h"
#include "base/dateserial.h"
#include "timeclient/korvelcontrol.h"
#include "timeclient/servercycle.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstring>

namespace {
QString helpText()
{
    return QStringLiteral(
        "Usage: korvel [Load 1] [--query [HOST[:PORT]]] [--status] [--help] [--version]\n"
        "\n"
        "Keeps this PC's clock right with the Time Protocol (RFC 868, TCP port 37).\n"
        "\n"
        "  (no arguments)          open the Korvel Time & Date Setter window\n"
        "  Load 1                  unattended start: start hidden in the tray, update\n"
        "                          when due, and leave when there is nothing to do\n"
        "  --query [HOST[:PORT]]   ask a time server once and print the UTC time, the\n"
        "                          lag and the server that answered; never sets the\n"
        "                          clock. Without HOST the first server of the cycle.\n"
        "  --status                say, without changing anything, what an update\n"
        "                          would find: the connection, how the clock can be\n"
        "                          set, the time servers, the options, the next update\n"
        "  --help                  show this help\n"
        "  --version               show the version\n"
        "\n"
        "Environment:\n"
        "  KORVEL_TIME_SERVERS     one to four servers, comma-separated, each host or\n"
        "                          host:port, that replace the built-in server cycle\n"
        "  KORVEL_TEST_SITES       comma-separated web addresses that replace the two\n"
        "                          sites opened to check a LAN or proxy connection\n");
}

int runQuery(const QString& host)
{
    KorvelControl control;
    control.setHost(host.isEmpty() ? control.serverCycle().constFirst() : host);
    QString lastError;
    QObject::connect(&control, &KorvelControl::Error, &control,
                     [&lastError](QString& description, int&) { lastError = description; });
    const QVariant local = control.GetTime();
    if (!local.isValid()) {
        QTextStream(stderr) << lastError << Qt::endl;
        return 1;
    }
    const QDateTime utc = control.GMTTime().toDateTime();
    QTextStream(stdout) << utc.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")) << "Z lag="
                        << control.LagTime() << " host=" << control.host() << Qt::endl;
    return 0;
}
int runStatus()
{
    OptionStore store;
    QTextStream out(stdout);
    for (const QString& line : StatusReport::lines(StatusReport::gather(store)))
        out << line << Qt::endl;
    return 0;
}
} // namespace

std::optional<int> runCommandLineCommand(int argc, char** argv)
{
    if (argc < 2)
        return std::nullopt;
    const char* command = argv[1];
    const bool help = std::strcmp(command, "--help") == 0 || std::strcmp(command, "-h") == 0;
    const bool version = std::strcmp(command, "--version") == 0;
    const bool query = std::strcmp(command, "--query") == 0;
    const bool status = std::strcmp(command, "--status") == 0;
    if (!help && !version && !query && !status)
        return std::nullopt;

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("korvel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KORVEL_VERSION));
    if (help) {
        QTextStream(stdout) << helpText();
        return 0;
    }
    if (version) {
        QTextStream(stdout) << "korvel " << KORVEL_VERSION << Qt::endl;
        return 0;
    }
    if (status)
        return runStatus();
    return runQuery(argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString());
}
