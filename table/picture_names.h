// Resource names of every card face, back, suit symbol and background, the
// deck and back tables, and where each picture lives.
//
// The program's own pictures are compiled in under ":/tarvel/<Name>.png"
// (backgrounds ".jpg"); a resource module "X.rcc" beside the program holds its
// pictures under ":/X/<Name>.png" / ".jpg".
#pragma once

#include "engine/cards.h"
#include "table/layout.h"

#include <QColor>
#include <QString>

#include <array>
#include <string_view>

namespace tarvel {

// Resource module files, looked up in the program folder, then its parent.
inline constexpr std::string_view kModuleCardsA = "QorCards06A.rcc";
inline constexpr std::string_view kModuleCardsB = "QorCards06B.rcc";
inline constexpr std::string_view kModuleCardsC = "QorCards06C.rcc";
inline constexpr std::string_view kModuleBackgrounds = "QorBackG03.rcc";
inline constexpr std::string_view kModuleGraphics = "QorCGraph1.rcc";

inline constexpr int kDeckCount = 48;      // CardDeck 0..47
inline constexpr int kBackSetCount = 13;   // BackDeck 0..12
inline constexpr int kFaceSlots = 40;      // face slots 1..40; this game uses 13..36
inline constexpr int kFirstFaceSlot = 13;
inline constexpr int kLastFaceSlot = 36;
inline constexpr int kBackSlots = 10;      // back slots 1..10

struct DeckInfo {
    std::string_view Code;         // deck code: jacks, queens and kings
    std::string_view NumberCode;   // nines and tens, and the suit symbols
    std::string_view AceCode;      // aces
    std::string_view SymbolCode;   // suit symbols
    std::string_view Module;       // empty: inside the program
    bool Narrow = false;           // narrow cards
};

// Deck `cardDeck` 0..47; deck 0 for anything outside.
const DeckInfo& DeckOf(int cardDeck);

// Back code of `backDeck` 0..12 ("" for set 0 and anything outside).
std::string_view BackCodeOf(int backDeck);
// Number of backs in a set: 10 for sets 8..11, else 7.
int BacksInSet(int backDeck);

// Where one picture lives.
struct PictureRef {
    QString Module;  // module file name ("QorCards06A.rcc"); empty: the program
    QString Name;    // resource name ("Ch09Med", "Ob01MoB", "FonG")
    bool Jpeg = false;

    // Qt resource path: ":/tarvel/Name.png" or ":/QorCards06A/Name.png".
    QString ResourcePath() const;
    friend bool operator==(const PictureRef&, const PictureRef&) = default;
};

// Face slot 13..36 of a card code: 13 + 4 x rank index (9, 10, J, Q, K, A)
// + suit index (hearts, diamonds, clubs, spades); 0 for NoCard or any
// other code.
int FaceOf(CardCode code);
// The card of a face slot 13..36; NoCard for any other slot.
CardCode CardOfFace(int slot);

// Resource name of a face: suit part + rank part + deck code + size suffix
// ("" small, "B" scaled and large).
PictureRef FacePicture(int cardDeck, CardCode code, PictureClass pictures);
// Suit symbol `suitIndex` 0..3 (hearts, diamonds, clubs, spades); `large`
// adds the "B" of the larger symbol pictures.
PictureRef SuitSymbolPicture(int cardDeck, int suitIndex, bool large);
// Back `slot` 1..10 of a back set, for the given picture class and card shape.
PictureRef BackPicture(int backDeck, int slot, PictureClass pictures, bool narrowCards);
// The module a back set comes from; empty for the program's own.
QString BackModule(int backDeck, PictureClass pictures, bool narrowCards);

// Background set 1..10 and variant 0..6; `small` for the small window.
PictureRef BackgroundPicture(int set, int variant, bool small);
bool IsValidBackground(int set, int variant);
// The purple design's background.
PictureRef PurpleBackgroundPicture();

// Window colour under the pictures for a background variant; `purple` for the
// purple menu design. Green when no set is chosen or the variant is unknown.
QColor WindowColour(int set, int variant, bool purple);

// Back slot for a new deal: the weekday's back (Monday 1 .. Sunday 7, as
// QDate::dayOfWeek), 7 with `sameBack`; for back sets 8..11 `random10`, a
// number 1..10 drawn by the caller, instead.
int ChooseBackFor(int dayOfWeek, bool sameBack, int backDeck, int random10);

}  // namespace tarvel
