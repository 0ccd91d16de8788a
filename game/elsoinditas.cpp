#include "game/elsoinditas.h"

#include "db/engine.h"
#include "rules/studentfolder.h"
#include "rules/usererror.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>

namespace {

// A small window that says what is being made while the content tool works. It has no
// button: the work takes seconds and must not be cut short.
class BuildWindow : public QWidget {
public:
    explicit BuildWindow(const QString &folder)
        : QWidget(nullptr, Qt::Dialog)
    {
        setObjectName(QStringLiteral("MunkamappaKeszul"));
        setWindowTitle(QStringLiteral("Zomir – első indítás"));
        auto *layout = new QVBoxLayout(this);
        auto *text = new QLabel(QStringLiteral("Az első indítás elkészíti a munkamappádat:\n%1\n\n"
                                               "Adatbázis, szakmaképek, pályaleírások…")
                                    .arg(QDir::toNativeSeparators(folder)),
                                this);
        text->setObjectName(QStringLiteral("Szoveg"));
        layout->addWidget(text);
        auto *bar = new QProgressBar(this);
        bar->setObjectName(QStringLiteral("Folyamat"));
        bar->setRange(0, 0);  // moving: the tool does not report its steps
        bar->setTextVisible(false);
        layout->addWidget(bar);
        setMinimumWidth(420);
        adjustSize();
    }
};

// The tax year a new student's folder is built for: 2026, unless the teacher asks for
// another (2010) with the environment variable ZOMIR_ADOEV; the content tool refuses a year
// it has no content for.
QString firstStartYear()
{
    const QString asked = qEnvironmentVariable("ZOMIR_ADOEV").trimmed();
    return asked.isEmpty() ? QStringLiteral("2026") : asked;
}

void buildFolder(const QString &tool, const QString &folder)
{
    if (!QDir().mkpath(folder))
        fail(QStringLiteral("A munkamappa nem hozható létre: %1")
                                   .arg(QDir::toNativeSeparators(folder)));
    std::unique_ptr<BuildWindow> window;
    if (qobject_cast<QApplication *>(QCoreApplication::instance())) {
        window = std::make_unique<BuildWindow>(folder);
        window->show();
    }
    QProcess process;
    process.setProgram(tool);
    process.setArguments({QStringLiteral("--year"), firstStartYear(), folder});
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&loop](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            loop.quit();
    });
    process.start();
    if (process.state() != QProcess::NotRunning || process.error() != QProcess::FailedToStart)
        loop.exec();
    window.reset();
    if (process.error() == QProcess::FailedToStart)
        fail(QStringLiteral("A munkamappát készítő program nem indul el: %1")
                                   .arg(QDir::toNativeSeparators(tool)));
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const QString reason = QString::fromUtf8(process.readAllStandardError()).trimmed();
        fail(QStringLiteral("A munkamappa nem készült el (%1).%2")
                                   .arg(QDir::toNativeSeparators(folder),
                                        reason.isEmpty() ? QString() : QStringLiteral("\n") + reason));
    }
}

}  // namespace

bool prepareStudentFolder(zdb::Session &session)
{
    const QString programDir = QCoreApplication::applicationDirPath();
    return prepareStudentFolder(session, programDir, studentfolder::contentTool(programDir));
}

bool prepareStudentFolder(zdb::Session &session, const QString &programDir, const QString &tool)
{
    if (tool.isEmpty())
        return false;
    const QString folder = studentfolder::location(programDir);
    if (!studentfolder::isBuilt(folder))
        buildFolder(tool, folder);
    if (!QDir::setCurrent(folder))
        fail(QStringLiteral("A munkamappa nem érhető el: %1").arg(QDir::toNativeSeparators(folder)));

    // With no alias the data module finds the folder's DB and stores the alias itself.
    const QString alias = zdb::gameAlias();
    if (session.aliasExists(alias) && !session.isServerAlias(alias)) {
        const QString target = studentfolder::aliasTarget(folder, session.aliasPath(alias));
        if (!target.isEmpty()) {
            session.removeAlias(alias);
            session.addStandardAlias(alias, target);
            session.saveConfig();
        }
    }
    return true;
}
