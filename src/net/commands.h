#pragma once

// The command words of the game protocol, in one place for host and client.
// A message is the command word, its fields joined by "+", and kTerminator.
namespace cmd {

// Client to host.
inline constexpr char logininfo[] = "CMD_logininfo";
inline constexpr char kickhim[] = "CMD_kickhim";
inline constexpr char justwatch[] = "CMD_justwatch";
inline constexpr char myword[] = "CMD_myword";
inline constexpr char rejoin[] = "CMD_rejoin";

// Both ways: the host relays these (chat and action with the sender's name added).
inline constexpr char chat[] = "CMD_chat";
inline constexpr char action[] = "CMD_action";
inline constexpr char startgame[] = "CMD_startgame";
inline constexpr char playasound[] = "CMD_playasound";

// Host to client.
inline constexpr char sendlogininfo[] = "CMD_sendlogininfo";
inline constexpr char full[] = "CMD_full";
inline constexpr char newplayerinfo[] = "CMD_newplayerinfo";
inline constexpr char existingplayers[] = "CMD_existingplayers";
inline constexpr char havewrongversion[] = "CMD_havewrongversion";
inline constexpr char wrongversion[] = "CMD_wrongversion";
inline constexpr char gamestats[] = "CMD_gamestats";
inline constexpr char playerscores[] = "CMD_playerscores";
inline constexpr char theyown[] = "CMD_theyown";
inline constexpr char ballowners[] = "CMD_ballowners";
inline constexpr char playerdisconnected[] = "CMD_playerdisconnected";
inline constexpr char justwatching[] = "CMD_justwatching";
inline constexpr char loadball[] = "CMD_loadball";
inline constexpr char nextplayer[] = "CMD_nextplayer";
inline constexpr char submitted[] = "CMD_submitted";
inline constexpr char notvalid[] = "CMD_notvalid";
inline constexpr char yourletters[] = "CMD_yourletters";
inline constexpr char wordlist[] = "CMD_wordlist";
inline constexpr char heguessed[] = "CMD_heguessed";
inline constexpr char nooneguessed[] = "CMD_nooneguessed";
inline constexpr char timeup[] = "CMD_timeup";
inline constexpr char winner[] = "CMD_winner";
inline constexpr char tiegame[] = "CMD_tiegame";
inline constexpr char impossible[] = "CMD_impossible";
inline constexpr char rejoinkey[] = "CMD_rejoinkey";
inline constexpr char rejoinrefused[] = "CMD_rejoinrefused";
inline constexpr char rejoined[] = "CMD_rejoined";
inline constexpr char playeraway[] = "CMD_playeraway";
inline constexpr char hostrights[] = "CMD_hostrights";
inline constexpr char goodbye[] = "CMD_goodbye";
inline constexpr char stoodin[] = "CMD_stoodin";

} // namespace cmd

// Ends every message; never part of UTF-8 text.
inline constexpr char kTerminator = '\xFF';
