// The settings store against files a real home can hold in place of the settings file: a
// FIFO, links to a FIFO or a device, a folder that cannot be made. None may stop the program
// or be replaced, and the user is told once on standard error.

#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "app/ui/SettingsStore.h"

namespace {

// Standard error into a file while it lives; Text() reads what was written so far.
class CapturedStandardError {
  public:
    explicit CapturedStandardError(const QString& file) : file_(file) {
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        std::FILE* into = std::fopen(qPrintable(file), "w");
        dup2(fileno(into), STDERR_FILENO);
        std::fclose(into);
    }
    ~CapturedStandardError() {
        std::fflush(stderr);
        dup2(saved_, STDERR_FILENO);
        close(saved_);
    }
    QString Text() const {
        std::fflush(stderr);
        QFile file(file_);
        file.open(QIODevice::ReadOnly);
        return QString::fromUtf8(file.readAll());
    }

  private:
    QString file_;
    int saved_ = -1;
};

}  // namespace

class SettingsStoreTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        home_ = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", home_->filePath("config").toLocal8Bit());
        QVERIFY(QDir().mkpath(home_->filePath("config")));
    }

    void savedTextsComeBack() {
        ui::SettingsStore::SaveSettings("Corpometer", "Settings",
                                        {{"Weight", "70,5"}, {"Height", "3"}});
        QCOMPARE(ui::SettingsStore::GetSetting("Corpometer", "Settings", "Weight", "140"),
                 QString("70,5"));
        QCOMPARE(ui::SettingsStore::GetSetting("Corpometer", "Settings", "Absent", "x"),
                 QString("x"));
    }

    void filesThatAreNotRegularAreNeitherReadNorReplaced() {
        const QString settings = ui::SettingsStore::SettingsFile("Corpometer");
        const QString fifo = home_->filePath("fifo");
        QCOMPARE(mkfifo(qPrintable(fifo), 0600), 0);
        for (const bool throughLink : {false, true}) {
            QFile::remove(settings);
            if (throughLink)
                QVERIFY(QFile::link(fifo, settings));
            else
                QCOMPARE(mkfifo(qPrintable(settings), 0600), 0);
            CapturedStandardError error(home_->filePath("stderr"));
            // Opening a FIFO for reading would wait here for a writer that never comes.
            QCOMPARE(ui::SettingsStore::GetSetting("Corpometer", "Settings", "Weight", "140"),
                     QString("140"));
            ui::SettingsStore::SaveSettings("Corpometer", "Settings", {{"Weight", "99"}});
            QCOMPARE(QFileInfo(settings).isSymLink(), throughLink);
            struct stat status {};
            QCOMPARE(stat(qPrintable(fifo), &status), 0);
            QVERIFY(S_ISFIFO(status.st_mode));
            QCOMPARE(stat(qPrintable(settings), &status), 0);
            QVERIFY(S_ISFIFO(status.st_mode));
            if (!throughLink) {
                // Said once, naming the file, however often the store is used.
                QCOMPARE(error.Text().count(settings), 1);
            }
        }
    }

    void aStoreThatCannotBeWrittenIsSaidOnceAndTheProgramGoesOn() {
        // A home whose configuration folder cannot be made (a file stands in its way): every
        // user, root included, meets this the same way.
        QFile(home_->filePath("blocked")).open(QIODevice::WriteOnly);
        qputenv("XDG_CONFIG_HOME", home_->filePath("blocked/config").toLocal8Bit());
        CapturedStandardError error(home_->filePath("stderr"));
        ui::SettingsStore::SaveSettings("Corpometer", "Settings", {{"Weight", "99"}});
        ui::SettingsStore::SaveSettings("Corpometer", "Settings", {{"Weight", "98"}});
        const QString said = error.Text();
        QCOMPARE(said.count('\n'), 1);
        QVERIFY2(said.contains(ui::SettingsStore::SettingsFile("Corpometer")), qPrintable(said));
        QVERIFY2(said.contains("Not a directory"), qPrintable(said));
        QCOMPARE(ui::SettingsStore::GetSetting("Corpometer", "Settings", "Weight", "140"),
                 QString("140"));
    }

  private:
    std::unique_ptr<QTemporaryDir> home_;
};

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "settings_store_test.moc"
