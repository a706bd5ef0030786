#include "app/tabout.h"

#include "client/look/artwork.h"
#include "client/look/project_page.h"
#include "common/version.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>

namespace {

// A line of labels set side by side, so that texts follow each other directly.
QHBoxLayout* lineAt(QWidget* window, const QRect& geometry) {
    auto* holder = new QWidget(window);
    holder->setGeometry(geometry);
    auto* line = new QHBoxLayout(holder);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(0);
    return line;
}

QLabel* addText(QHBoxLayout* line, const QString& text, const QString& objectName = {}) {
    auto* label = new QLabel(text);
    label->setObjectName(objectName);
    line->addWidget(label);
    return label;
}

} // namespace

Tabout::Tabout() : SmallWindow("about", "Ludomyra - About", QSize(304, 174), Qt::Tool) {
    auto* picture = new QLabel(this);
    picture->setObjectName("image_program");
    picture->setGeometry(16, 14, 64, 64);
    picture->setPixmap(artwork::picture(ArtRole::ProgramPicture));

    auto* title = new QLabel("Ludomyra", this);
    title->setGeometry(96, 14, 192, 30);
    title->setStyleSheet("font: bold 20px 'Arial';");

    QHBoxLayout* versionLine = lineAt(this, QRect(96, 48, 192, 20));
    addText(versionLine, "Version ");
    addText(versionLine, kLudomyraVersion, "version");
    addText(versionLine, ".11");
    versionLine->addStretch();

    QHBoxLayout* yearLine = lineAt(this, QRect(16, 86, 272, 20));
    yearLine->addStretch();
    addText(yearLine, QString::fromUtf8("\u00a9 "));
    addText(yearLine, QString::number(QDate::currentDate().year()), "label_year");
    addText(yearLine, " The Ludomyra developers");
    yearLine->addStretch();

    const QString address = projectpage::address().toString();
    auto* link = new QLabel(QString("<a href=\"%1\" style=\"color: rgb(255, 214, 120);\">%1</a>")
                                .arg(address.toHtmlEscaped()),
                            this);
    link->setObjectName("label_link");
    link->setGeometry(16, 110, 272, 20);
    link->setAlignment(Qt::AlignCenter);
    link->setCursor(Qt::PointingHandCursor);
    connect(link, &QLabel::linkActivated, this, [] { projectpage::open(); });

    addDoneButton(QRect(112, 140, 80, 26));
}
