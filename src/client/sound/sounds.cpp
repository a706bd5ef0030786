#include "client/sound/sounds.h"

#include "client/core/access_keys.h"
#include "client/core/client_outbox.h"
#include "client/core/options_menu.h"
#include "client/core/table_model.h"
#include "client/look/clickable_label.h"
#include "client/sound/sound_player.h"
#include "net/game_messages.h"
#include "net/player_messages.h"

#include <QMenu>

namespace {

constexpr const char* kCaptions[Sounds::kChatterSounds] = {
    "Doh",       "Cough",    "Hello",          "Thank You",    "Where have you been?",
    "Snoring",   "Sneezing", "Sorry",          "Welcome",      "Yeehaa",
    "Yippee",    "Oh No",    "Applause",       "Honk",         "Oooh",
    "Razzberry", "Cheer",    "Woman Laughing", "Man Laughing", "Crying"};

} // namespace

Sounds::Sounds(QWidget* panel, const ClientState& state, ClientOutbox& outbox,
               const TableModel& model, const OptionsMenu& options,
               std::function<void(const QString&)> say)
    : QObject(panel), state_(state), outbox_(outbox), model_(model), options_(options),
      say_(std::move(say)) {
    soundPlayer_ = new SoundPlayer(this);
    player = [this](const QString& name) {
        soundPlayer_->play(name);
    };

    popup_sounds = new QMenu(panel);
    popup_sounds->setObjectName("popup_sounds");
    for (int k = 0; k <= kChatterSounds; ++k) {
        QAction* item = popup_sounds->addAction(k == 0 ? QString("<Cancel>") : chatterCaption(k));
        item->setObjectName("wave" + QString::number(k));
        item->setToolTip(item->text());
        connect(item, &QAction::triggered, this, [this, k] { wave12Click(k); });
    }
    accesskeys::assign(popup_sounds);

    b_phrase10 = new ClickableLabel(panel);
    b_phrase10->setObjectName("b_phrase10");
    b_phrase10->setGeometry(352, 491, 25, 19);
    b_phrase10->setAlignment(Qt::AlignCenter);
    b_phrase10->setText(QString::fromUtf8("\u266A"));
    b_phrase10->setToolTip("Chatter Sounds");
    b_phrase10->setAccessibleName("Chatter Sounds");
    b_phrase10->setStyleSheet("QLabel { background: rgb(238, 214, 64); color: rgb(60, 40, 10); "
                              "font: bold 13px 'Arial'; border: 1px solid rgb(120, 90, 20); "
                              "border-radius: 3px; }");
    connect(b_phrase10, &ClickableLabel::clicked, this, [this] {
        popup_sounds->popup(b_phrase10->mapToGlobal(b_phrase10->rect().bottomRight()));
    });
}

QString Sounds::chatterCaption(int number) {
    if (number < 1 || number > kChatterSounds)
        return {};
    return QString::fromLatin1(kCaptions[number - 1]);
}

void Sounds::playsounds(const QString& name) {
    if (options_.soundsOn() && player)
        player(name);
}

void Sounds::wave12Click(int number) {
    if (number < 1 || number > kChatterSounds || !state_.seated())
        return; // "<Cancel>", or a spy: spies send nothing
    // Heard when the host relays it back, like everybody else.
    outbox_.send(playermsg::PlayASound::build(state_.myseat, number));
}

// Only the twenty chatter sounds from a seat act (the parser lets no other
// through): a name from the network must not play game sounds past "Play
// Sounds", nor the platform's beep.
void Sounds::playasound(const gamemsg::PlayASound& sound) {
    const auto [seat, number] = sound;
    if (options_.chatterSoundsOn()) {
        if (player)
            player("wave" + QString::number(number));
        return;
    }
    say_("0+" + model_.displayName(seat) + ": <Chatter Sound> " + chatterCaption(number));
}
