// An automatic player for one game: it watches the frames the game presents and answers with
// keys, as a player at the keyboard would, one per falling step. It places pieces where the
// well fares best (tools/replay/placement.h), drops every special block straight away, picks
// the white frame's colour, and after its number of pieces quits with q.
#pragma once

#include <functional>
#include <optional>

#include "game/state.h"
#include "platform/headless/headless.h"

namespace replay {

class AutoPlayer {
public:
    // Types a key (a key name of the headless backend) a moment from now, before the game reads
    // its next key.
    using TypeKey = std::function<void(const char* key)>;

    AutoPlayer(int pieces, TypeKey type);

    // Looks at the game as the frame just presented by the game's thread shows it.
    void onFrame(const platform::headless::Frame& frame);

    // Whether it has quit after its pieces or confirmed the game-over screen.
    bool finished() const { return finished_; }
    bool lost() const { return lost_; }
    int piecesPlayed() const { return pieces_; }
    int specialsPlayed() const { return specials_; }

private:
    void startPiece(const GameState& state);
    void steerPiece(const GameState& state);
    const char* pieceKey(const GameState& state);
    void dropSpecial(const GameState& state);
    void chooseColourOn(const platform::headless::Frame& frame);

    int piecesToPlay_;
    TypeKey type_;
    int pieces_ = 0;
    int specials_ = 0;  // special blocks dropped, the game's specialIndex at the last one
    std::optional<PieceDealer> dealt_;  // the dealer when the piece falling now was dealt
    bool steering_ = false;             // the falling piece still takes keys
    std::optional<Piece> awaiting_;     // the piece as it was when the last key was typed
    int rotationsLeft_ = 0;
    int targetColumn_ = 0;   // where b0 is to go
    bool choosing_ = false;  // a white frame has dropped and will ask for its colour
    bool finished_ = false;
    bool lost_ = false;
};

// Calls `watcher` with every frame that the calling thread, the game's, presents; null stops.
void watchGameFrames(std::function<void(const platform::headless::Frame&)> watcher);

}  // namespace replay
