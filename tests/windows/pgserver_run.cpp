// pgserver_run <command> [arguments]: starts the tests' PostgreSQL server on the host, runs
// the command (the Windows test programs under wine) with the server named in its
// environment, and stops the server when the command ends; exits with the command's code.
// The command's side asks through a control folder for the server to be stopped at once or
// started again (see tests/support/pgserver_attached.cpp):
//   ZOMIR_TEST_PGSERVER_PORT     the port on 127.0.0.1
//   ZOMIR_TEST_PGSERVER_CONTROL  the control folder, as a Windows program under wine names
//                                it (Z: is the host's root)

#include "tests/support/pgserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    QStringList command = app.arguments().mid(1);
    if (command.isEmpty()) {
        err << "usage: pgserver_run <command> [arguments]\n";
        return 2;
    }
    PgServer server;
    QString error;
    if (!server.start(&error)) {
        err << "pgserver_run: " << error << '\n';
        return 1;
    }
    QTemporaryDir control;
    control.setAutoRemove(true);
    const QDir dir(control.path());

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZOMIR_TEST_PGSERVER_PORT"), QString::number(server.port()));
    env.insert(QStringLiteral("ZOMIR_TEST_PGSERVER_CONTROL"),
               QStringLiteral("Z:") + QDir::toNativeSeparators(control.path()).replace(QLatin1Char('/'), QLatin1Char('\\')));
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.setInputChannelMode(QProcess::ForwardedInputChannel);
    const QString program = command.takeFirst();

    // Answers the requests of the command's side.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&]() {
        QFile request(dir.filePath(QStringLiteral("request")));
        if (!request.exists() || !request.open(QIODevice::ReadOnly))
            return;
        const QString what = QString::fromUtf8(request.readAll()).trimmed();
        request.close();
        request.remove();
        QString answer = QStringLiteral("ok");
        if (what == QLatin1String("kill"))
            server.kill();
        else if (what == QLatin1String("restart")) {
            if (!server.restart())
                answer = server.errorString();
        } else
            answer = QStringLiteral("unknown request: ") + what;
        QFile done(dir.filePath(QStringLiteral("done.tmp")));
        if (done.open(QIODevice::WriteOnly)) {
            done.write(answer.toUtf8());
            done.close();
            QFile::rename(done.fileName(), dir.filePath(QStringLiteral("done")));
        }
    });
    poll.start(50);
    QObject::connect(&child, &QProcess::finished, &app, [&app](int code, QProcess::ExitStatus status) {
        app.exit(status == QProcess::NormalExit ? code : 1);
    });
    QObject::connect(&child, &QProcess::errorOccurred, &app, [&](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart) {
            err << "pgserver_run: cannot start " << program << '\n';
            app.exit(1);
        }
    });
    child.start(program, command);
    const int code = app.exec();
    server.stop();
    return code;
}
