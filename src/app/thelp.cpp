#include "app/thelp.h"

#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <array>

namespace {

struct HelpPage {
    const char* title;
    const char* resource;
};

// In the order of their buttons; page k is the widget "memo" k.
constexpr std::array<HelpPage, 6> kPages{{
    {"Overview", ":/help/overview.html"},
    {"Connecting", ":/help/connecting.html"},
    {"Game Play", ":/help/game-play.html"},
    {"Scoring", ":/help/scoring.html"},
    {"Documentation", ":/help/documentation.html"},
    {"License", ":/help/license.html"},
}};

QString resourceText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Plain text laid out to the page's width: the lines of a paragraph run on,
// and an indented paragraph (a quoted notice) stays indented.
QString asParagraphs(const QString& path) {
    static const QRegularExpression blankLine("\\n\\s*\\n");
    QString html;
    for (const QString& paragraph : resourceText(path).split(blankLine, Qt::SkipEmptyParts)) {
        html += paragraph.startsWith(' ') ? "<p style=\"margin-left: 16px;\">" : "<p>";
        html += paragraph.simplified().toHtmlEscaped() + "</p>";
    }
    return html;
}

// The licence page carries the program's licence and the word lists' notice
// word for word, from the same files that are shipped beside the program.
QString pageText(const HelpPage& page) {
    QString text = resourceText(page.resource);
    if (QString(page.title) == "License")
        text += asParagraphs(":/help/LICENSE") + asParagraphs(":/help/SCOWL-COPYRIGHT.txt");
    return text;
}

QTextBrowser* makeMemo(int number, const HelpPage& page) {
    auto* memo = new QTextBrowser;
    memo->setObjectName(QString("memo%1").arg(number));
    memo->setAccessibleName(QString("Help page: ") + page.title);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setStyleSheet("background: rgb(223, 213, 196); color: black;");
    memo->setOpenExternalLinks(true);
    memo->setHtml(pageText(page));
    return memo;
}

} // namespace

Thelp::Thelp(Tabout& about)
    : SmallWindow("help", "Ludomyra - Help File", QSize(538, 421)), about(about) {
    Q_INIT_RESOURCE(help);

    pages = new QStackedWidget(this);
    pages->setGeometry(151, 38, 381, 377);
    for (int number = 1; number <= int(kPages.size()); ++number) {
        pages->addWidget(makeMemo(number, kPages[number - 1]));
        auto* button = new QPushButton(kPages[number - 1].title, this);
        button->setObjectName(QString("SelButton%1").arg(number));
        button->setGeometry(10, 10 + 34 * (number - 1), 125, 28);
        connect(button, &QPushButton::clicked, this, [this, number] { SelButton1Click(number); });
    }

    auto* aboutButton = new QPushButton("About", this);
    aboutButton->setObjectName("button_about");
    aboutButton->setGeometry(10, 10 + 34 * int(kPages.size()) + 16, 125, 28);
    connect(aboutButton, &QPushButton::clicked, this, [this] { this->about.showCentredOn(this); });
    addDoneButton(QRect(10, 385, 125, 26));

    captionBar = new QLabel(this);
    captionBar->setObjectName("label_caption");
    captionBar->setGeometry(151, 6, 381, 26);
    captionBar->setAlignment(Qt::AlignCenter);
    captionBar->setStyleSheet("font: bold 16px 'Arial';");
    SelButton1Click(1);
}

bool Thelp::showPage(const QString& title) {
    for (int number = 1; number <= int(kPages.size()); ++number) {
        if (title == kPages[number - 1].title) {
            SelButton1Click(number);
            return true;
        }
    }
    return false;
}

void Thelp::SelButton1Click(int page) {
    pages->setCurrentIndex(page - 1);
    captionBar->setText(kPages[page - 1].title);
}
