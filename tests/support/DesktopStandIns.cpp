#include "DesktopStandIns.h"

#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <csignal>
#include <sys/prctl.h>

ScopedEnv::ScopedEnv(const char* name, const QString& value)
    : m_name(name), m_old(qgetenv(name)), m_had(qEnvironmentVariableIsSet(name)) {
    if (value.isEmpty())
        qunsetenv(name);
    else
        qputenv(name, value.toLocal8Bit());
}

ScopedEnv::~ScopedEnv() {
    if (m_had)
        qputenv(m_name, m_old);
    else
        qunsetenv(m_name);
}

namespace {
// A shell word that stands for the text exactly.
QString Quoted(const QString& text) {
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

bool WriteExecutable(const QString& path, const QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.write(text.toUtf8());
    file.close();
    return file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                               QFileDevice::ExeOwner);
}

// The bus and its stand-in end with the test, also when the test dies.
void EndWithTheTest(QProcess& process) {
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

StandInTools::StandInTools() : m_path(std::make_unique<ScopedEnv>("PATH", m_dir.path())) {}

void StandInTools::Add(const QString& name, const QString& output, int status,
                       const QString& onlyFor) {
    const QString record = Quoted(m_dir.filePath(name + QStringLiteral(".calls")));
    // Only the shell's own commands: the PATH holds nothing else.
    QString script = QStringLiteral("#!/bin/sh\n"
                                    "for a in \"$@\"; do printf '<%s>' \"$a\"; done >> %1\n"
                                    "printf '\\n' >> %1\n")
                         .arg(record);
    const QString answer =
        QStringLiteral("printf '%s' %1\nexit %2\n").arg(Quoted(output)).arg(status);
    if (onlyFor.isEmpty())
        script += answer;
    else
        script +=
            QStringLiteral("if [ \"$1\" = %1 ]; then\n%2fi\nexit 0\n").arg(Quoted(onlyFor), answer);
    WriteExecutable(m_dir.filePath(name), script);
}

std::vector<QStringList> StandInTools::Calls(const QString& name) const {
    std::vector<QStringList> calls;
    const QString text =
        QString::fromUtf8(ReadAll(m_dir.filePath(name + QStringLiteral(".calls"))));
    static const QRegularExpression argument(QStringLiteral("<([^>]*)>"));
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        QStringList arguments;
        for (const QRegularExpressionMatch& m : argument.globalMatch(line))
            arguments << m.captured(1);
        calls.push_back(arguments);
    }
    return calls;
}

PrivateSessionBus::PrivateSessionBus(const char* addressVariable) {
    const QString config = m_dir.filePath(QStringLiteral("bus.conf"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(QStringLiteral("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus "
                              "Configuration 1.0//EN\"\n"
                              " \"http://www.freedesktop.org/standards/dbus/1.0/"
                              "busconfig.dtd\">\n"
                              "<busconfig>\n"
                              "  <type>session</type>\n"
                              "  <listen>unix:dir=%1</listen>\n"
                              "  <policy context=\"default\">\n"
                              "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                              "    <allow eavesdrop=\"true\"/>\n"
                              "    <allow own=\"*\"/>\n"
                              "  </policy>\n"
                              "</busconfig>\n")
                   .arg(m_dir.path())
                   .toUtf8());
    file.close();
    // Also where the system keeps it, for a test whose PATH holds stand-ins only.
    QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty())
        daemon = QStandardPaths::findExecutable(
            QStringLiteral("dbus-daemon"), {QStringLiteral("/usr/bin"), QStringLiteral("/bin")});
    if (daemon.isEmpty())
        return;
    EndWithTheTest(m_daemon);
    m_daemon.start(daemon, {QStringLiteral("--config-file=") + config,
                            QStringLiteral("--print-address=1"), QStringLiteral("--nofork")});
    if (!m_daemon.waitForStarted(10000) || !m_daemon.waitForReadyRead(10000))
        return;
    m_address = QString::fromLocal8Bit(m_daemon.readLine()).trimmed();
    m_env = std::make_unique<ScopedEnv>(addressVariable, m_address);
}

PrivateSessionBus::~PrivateSessionBus() {
    for (QProcess* process : {&m_standIn, &m_daemon}) {
        if (process->state() != QProcess::NotRunning) {
            process->terminate();
            if (!process->waitForFinished(5000)) {
                process->kill();
                process->waitForFinished();
            }
        }
    }
}

bool PrivateSessionBus::StartStandIn(const QStringList& services) {
    if (!IsUp())
        return false;
    QStringList arguments{QStringLiteral("--record"), m_dir.filePath(QStringLiteral("record"))};
    EndWithTheTest(m_standIn);
    m_standIn.start(QStringLiteral(QUELBY_DESKTOP_STANDIN), arguments + services);
    if (!m_standIn.waitForStarted(10000))
        return false;
    while (m_standIn.waitForReadyRead(10000)) {
        if (m_standIn.readAll().contains("ready"))
            return true;
    }
    return false;
}

void PrivateSessionBus::Tell(const QByteArray& word) {
    m_standIn.write(word + '\n');
    m_standIn.waitForBytesWritten(5000);
}

bool PrivateSessionBus::TellUntil(const QByteArray& word, const std::function<bool()>& done) {
    for (int times = 0; times < 50; ++times) {
        Tell(word);
        if (QTest::qWaitFor(done, 100))
            return true;
    }
    return false;
}

QStringList PrivateSessionBus::Record() const {
    return QString::fromUtf8(ReadAll(m_dir.filePath(QStringLiteral("record"))))
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QByteArray PrivateSessionBus::PortalFile() const {
    return ReadAll(m_dir.filePath(QStringLiteral("record.file")));
}
