#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

class IniFile;

// The player's preferences as "glenmorra.ini" keeps them, with every key's
// default and guard applied when read.
struct PlayerSettings {
    static constexpr char kSection[] = "Ludomyra";
    static constexpr int kDefaultWidth = 748;
    static constexpr int kDefaultHeight = 563;
    static constexpr int kDefaultTextSize = 8;
    static constexpr int kPhrases = 9;
    // The panel's zoom steps in percent; kFitZoom: it follows the window.
    static constexpr int kZoomSteps[] = {75, 100, 125, 150, 200};
    static constexpr int kFitZoom = 0;
    static constexpr int kDefaultZoom = 100;

    int textsize = kDefaultTextSize;
    QRect bounds{3, 3, kDefaultWidth, kDefaultHeight}; // the outer frame
    bool boundsStored = false;      // the file held bounds (a hand-written one may not)
    QString textcolour = "clblack"; // colour text
    QStringList phrases = QStringList(kPhrases, QString()); // empty: keep the button's own
    bool playsounds = true;
    bool showwordlist = true;
    int betweenrounds = 5; // pause between words, in host ticks
    int botspeed = 1000;   // milliseconds between the computer player's moves
    int botoff = 0;        // 1: the computer player sits out
    int botfair = 0;       // 1: the computer player solves from the marks alone
    int exactmarks = 0;    // 1: guesses are marked by the exact rule
    int gametype = 1;      // 1 high, 2 most, 3 nine, 4 race
    int turnsound = 0;     // 0 classic, 1 new
    bool chattersounds = true;
    bool colourtiles = false; // judged cells tinted by their marks
    int zoom = kDefaultZoom;  // a zoom step, or kFitZoom

    static PlayerSettings read(const IniFile& ini);
    // Writes every key but the phrases, in the file's customary order.
    void write(IniFile& ini) const;
    static void writePhrases(IniFile& ini, const QStringList& phrases);
};
