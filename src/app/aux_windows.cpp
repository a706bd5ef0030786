#include "app/aux_windows.h"

#include "common/version.h"

#include <QDate>
#include <QLabel>

Thelp::Thelp() : SmallWindow("help", "Ludomyra - Help File", QSize(538, 421)) {
    addDoneButton(QRect(10, 385, 125, 26));
}

Tabout::Tabout() : SmallWindow("about", "Ludomyra - About", QSize(304, 174), Qt::Tool) {
    auto* title = new QLabel("Ludomyra", this);
    title->setGeometry(0, 16, width(), 30);
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet("font: bold 20px 'Arial';");
    auto* versionWord = new QLabel("Version", this);
    versionWord->setGeometry(96, 56, 56, 20);
    auto* version = new QLabel(kLudomyraVersion, this);
    version->setObjectName("version");
    version->setGeometry(152, 56, 40, 20);
    auto* build = new QLabel(".11", this);
    build->setGeometry(190, 56, 30, 20);
    auto* year = new QLabel(QString::number(QDate::currentDate().year()), this);
    year->setObjectName("label_year");
    year->setGeometry(0, 84, width(), 20);
    year->setAlignment(Qt::AlignCenter);
    addDoneButton(QRect(112, 136, 80, 26));
}

Tspylist::Tspylist()
    : SmallWindow("spylist", "Ludomyra -Spys", QSize(162, 168),
                  Qt::Window | Qt::WindowStaysOnTopHint) {
    auto* heading = new QLabel("Spy List", this);
    heading->setGeometry(0, 4, width(), 18);
    heading->setAlignment(Qt::AlignCenter);
    listbox_spys = new QListWidget(this);
    listbox_spys->setObjectName("listbox_spys");
    listbox_spys->setGeometry(6, 24, 150, 108);
    listbox_spys->setStyleSheet("background: rgb(223, 213, 196);");
    addDoneButton(QRect(41, 138, 80, 24));
}
