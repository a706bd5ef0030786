#include "net/marks.h"

namespace marks {

QString text(const Marks& marks) {
    QString written;
    for (const Mark mark : marks)
        written += QLatin1Char(static_cast<char>(mark));
    return written;
}

Marks read(QStringView text) {
    Marks read;
    read.fill(Mark::Absent);
    for (qsizetype i = 0; i < text.size() && i < game::kLetters; ++i) {
        if (text[i] == u's')
            read[size_t(i)] = Mark::Right;
        else if (text[i] == u'c')
            read[size_t(i)] = Mark::Elsewhere;
    }
    return read;
}

} // namespace marks
