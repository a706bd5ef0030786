#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <optional>
#include <utility>
#include <vector>

namespace testsupport {

// What the program reads from its environment, for one test: a settings
// folder of its own (LUDOMYRA_HOME) and whatever else the test sets, each
// put back as it was when the test ends, so no test leaves a variable for
// the next one in the same binary.
class ProgramEnvironment {
public:
    ProgramEnvironment() { set("LUDOMYRA_HOME", home_.path().toUtf8()); }
    ~ProgramEnvironment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second)
                qputenv(it->first.constData(), *it->second);
            else
                qunsetenv(it->first.constData());
        }
    }
    ProgramEnvironment(const ProgramEnvironment&) = delete;
    ProgramEnvironment& operator=(const ProgramEnvironment&) = delete;

    void set(const char* name, const QByteArray& value) {
        std::optional<QByteArray> before;
        if (qEnvironmentVariableIsSet(name))
            before = qgetenv(name);
        saved_.emplace_back(name, std::move(before));
        qputenv(name, value);
    }
    bool isValid() const { return home_.isValid(); }
    QString path() const { return home_.path(); }
    QString filePath(const QString& name) const { return home_.filePath(name); }

private:
    QTemporaryDir home_;
    std::vector<std::pair<QByteArray, std::optional<QByteArray>>> saved_;
};

} // namespace testsupport
