// Saves a file over and over until it is killed: the tally ("tally PATH") or
// the settings ("settings PATH"), alternating between two versions that
// differ in every entry. Says "saved" once the first save is done.
#include "common/inifile.h"
#include "save_versions.h"
#include "tally/tallyfile.h"
#include "tally/tlzrw1.h"

#include <cstdio>
#include <cstring>
#include <functional>

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[2]);
    Tlzrw1 compressor;
    TallyFile tallyFile(path, compressor);
    const TallyGrid grids[] = {saveversions::tally(0), saveversions::tally(1)};
    const IniFile settings[] = {saveversions::settings(path, 0), saveversions::settings(path, 1)};
    const std::function<bool(int)> save =
        std::strcmp(argv[1], "tally") == 0
            ? std::function<bool(int)>([&](int version) { return tallyFile.save(grids[version]); })
            : [&](int version) {
                  return settings[version].save();
              };
    for (int round = 0;; ++round) {
        if (!save(round % 2))
            return 1;
        if (round == 0) {
            std::puts("saved");
            std::fflush(stdout);
        }
    }
}
