// Feeds arbitrary text as relayed chat (CMD_chat / CMD_action fields) into a
// chat pane, and as colour text into its reader. Checks what must hold for any
// input: nothing that could start a forged line or turn text around reaches
// the pane, the pane stays within its line cap, and every colour that reads
// is written back to text that reads as the same colour.
#include "client/chat/chat_pane.h"
#include "client/chat/colour_text.h"
#include "client/chat/received_chat.h"
#include "client/look/message_box.h"
#include "net/protocol.h"

#include <QApplication>
#include <QTextBlock>
#include <QTextDocument>
#include <cstddef>
#include <cstdint>

namespace {

bool holdsControlCharacter(const QString& text) {
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F || u == 0x200E || u == 0x200F || (u >= 0x202A && u <= 0x202E) ||
            (u >= 0x2066 && u <= 0x2069))
            return true;
    }
    return false;
}

// The fields as the window reads them: parsed, then coloured.
std::optional<ReceivedChat> receivedChat(const QString& fields) {
    try {
        return readReceivedChat(gamemsg::Chat::parse(fields));
    } catch (const MalformedMessage&) {
        return std::nullopt;
    }
}

} // namespace

// Fontconfig keeps its caches for the life of the process, by design.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    messagebox::setHandler([](QWidget*, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ChatPane& pane = []() -> ChatPane& {
        auto* created = new ChatPane;
        created->resize(344, 171);
        return *created;
    }();
    static int linesSeen = 0;
    pane.openUrl = [](const QUrl&) {
        return true;
    };

    const QString fields = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const std::optional<ReceivedChat> chat = receivedChat(fields)) {
        pane.addlinetochat(chat->line, chat->colour);
        const QString shown = pane.document()->lastBlock().text();
        if (holdsControlCharacter(shown))
            __builtin_trap();
        if (pane.linkcounter >= 0)
            pane.mainchatJump(pane.linkcounter);
        if (++linesSeen % 997 == 0)
            pane.clearChat();
    }
    if (pane.document()->blockCount() > ChatPane::kMaxLines)
        __builtin_trap();

    if (const std::optional<ColourValue> colour = colourtext::read(fields)) {
        if (colourtext::read(colourtext::write(*colour)) != colour)
            __builtin_trap();
    }
    return 0;
}
