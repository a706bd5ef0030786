#include "client/tphrases.h"

Tphrases::Tphrases() : SmallWindow("phrases", "Ludomyra - Phrase Buttons", QSize(380, 300)) {
    addDoneButton(QRect(150, 264, 80, 26));
}
