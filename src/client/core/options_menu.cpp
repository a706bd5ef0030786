#include "client/core/options_menu.h"

OptionsMenu::OptionsMenu(MainMenu& menu, TableSettings& table, std::function<void()> changed)
    : menu_(menu), table_(table), changed_(std::move(changed)) {
    for (QAction* toggle :
         {menu.PlaySounds1, menu.PlayChatterSounds1, menu.ShowWordList1, menu.ColourtheTiles1})
        connect(toggle, &QAction::triggered, this, [this] { changed_(); });
    connect(menu.ColourtheTiles1, &QAction::toggled, this, &OptionsMenu::tileColoursChanged);
    const auto group = [this](std::vector<QAction*> choices) {
        for (QAction* item : choices) {
            connect(item, &QAction::triggered, this, [this, choices, item] {
                choose(choices, item);
                changed_();
            });
        }
    };
    group({menu.Classic1, menu.New1});
    group({menu.Slow1, menu.Normal1, menu.Fast1});
    for (QAction* speed : {menu.Slow1, menu.Normal1, menu.Fast1})
        connect(speed, &QAction::toggled, this, [this] { readBotSpeed(); });
    for (QAction* pause : {menu.Short1, menu.Long1}) {
        connect(pause, &QAction::triggered, this, [this, pause] {
            choose({menu_.Short1, menu_.Long1}, pause);
            table_.betweenRounds = pause->data().toInt();
            changed_();
        });
    }
}

void OptionsMenu::choose(const std::vector<QAction*>& group, QAction* chosen) {
    for (QAction* item : group)
        item->setChecked(item == chosen);
}

int OptionsMenu::checkedValue(std::initializer_list<QAction*> choices, int fallback) {
    for (QAction* item : choices) {
        if (item->isChecked())
            return item->data().toInt();
    }
    return fallback;
}

int OptionsMenu::turnsound() const {
    return checkedValue({menu_.Classic1, menu_.New1}, 0);
}

void OptionsMenu::readBotSpeed() {
    table_.botSpeedMs = checkedValue({menu_.Slow1, menu_.Normal1, menu_.Fast1}, 1000);
}

void OptionsMenu::apply(const PlayerSettings& s) {
    menu_.PlaySounds1->setChecked(s.playsounds);
    menu_.PlayChatterSounds1->setChecked(s.chattersounds);
    menu_.ShowWordList1->setChecked(s.showwordlist);
    menu_.ColourtheTiles1->setChecked(s.colourtiles);
    choose({menu_.Classic1, menu_.New1}, s.turnsound == 1 ? menu_.New1 : menu_.Classic1);
    QAction* speed = s.botspeed == 2000  ? menu_.Slow1
                     : s.botspeed == 500 ? menu_.Fast1
                                         : menu_.Normal1;
    choose({menu_.Slow1, menu_.Normal1, menu_.Fast1}, speed);
    table_.betweenRounds = s.betweenrounds;
    choose({menu_.Short1, menu_.Long1}, s.betweenrounds == 10 ? menu_.Long1 : menu_.Short1);
}

void OptionsMenu::collectInto(PlayerSettings& s) const {
    s.playsounds = soundsOn();
    s.chattersounds = chatterSoundsOn();
    s.showwordlist = wordListShown();
    s.colourtiles = tilesColoured();
    s.turnsound = turnsound();
    s.botspeed = botSpeedMs();
    s.betweenrounds = table_.betweenRounds > 0 ? table_.betweenRounds : 5;
}
