// Card faces, backs, suit symbols and the table background: the loaders that
// fill the picture slots for the current settings and window size, with the
// fallback to the program's own pictures when a resource module is missing.
//
// A resource module is a Qt binary resource file ("QorCards06A.rcc", ...)
// looked up along ModuleSearchPath (assets/module_lookup.h). It is registered only
// while its pictures are copied into the slots and released right after.
// Module faces are stored plain (no inverted ellipse to undo).
#pragma once

#include "assets/module_lookup.h"
#include "engine/cards.h"
#include "settings/settings_file.h"
#include "table/layout.h"
#include "table/picture_names.h"
#include "widgets/program_picture.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

namespace tarvel {


// A picture of a resource module found along `moduleFolders`; null when
// the module or the picture is missing. The program's own pictures need no
// module.
QImage ModulePicture(const QStringList& moduleFolders, const PictureRef& ref);

// A resource module registered for as long as this object lives: looked up
// with FindModule along `moduleFolders`, read into memory and checked whole before Qt sees it. Ok()
// is false when the file is missing or fails the check (an empty file name,
// the program's own pictures, is always Ok). Unregistering lets Qt drop its
// last reference to the bytes only because no QResource or resource file
// outlives the session: keep none past it, or it reads freed memory.
class ResourceModuleSession {
public:
    ResourceModuleSession(const QStringList& moduleFolders, const QString& fileName);
    ~ResourceModuleSession();
    ResourceModuleSession(const ResourceModuleSession&) = delete;
    ResourceModuleSession& operator=(const ResourceModuleSession&) = delete;

    bool Ok() const { return ok_; }

private:
    const uchar* Data() const;

    QByteArray bytes_;  // registered while not empty; never changed then
    bool ok_ = false;
};

// Runs `read` while the module `fileName` (found by FindModule) is
// registered, so that its pictures can be loaded by their resource paths;
// false, without running it, when the module is missing or fails the module
// check. Nothing loaded inside may keep a QResource past `read`.
bool WithModule(const QStringList& moduleFolders, const QString& fileName,
                const std::function<void()>& read);

// Draws `picture` at (x, y) at the target size: unchanged when it already has
// that size; otherwise resampled with smoothing and, with `roundCorners`,
// transparent outside a rounded rectangle whose corner ellipse is
// `cornerDiameter` wide and high.
void DrawScaled(int x, int y, const QImage& picture, bool roundCorners, int height, int width,
                QPainter& canvas, int cornerDiameter);
// The picture DrawScaled draws.
QImage ScaledPicture(const QImage& picture, QSize size, bool roundCorners, int cornerDiameter);

class CardPictures {
public:
    // Receives the complete "Can`t find the file <module>" text in the
    // current language; the window shows it in a message box.
    using MessageSink = std::function<void(const QString& message)>;
    // Draws a number 1..10 for the backs of sets 8..11.
    using Random10 = std::function<int()>;

    // Modules are looked up in `moduleFolders` and their parents, in order
    // (the program folder first, then the data folder).
    explicit CardPictures(QStringList moduleFolders, MessageSink sink = {}, Random10 random = {});

    const QStringList& ModuleFolders() const { return moduleFolders_; }
    void SetMessageSink(MessageSink sink) { sink_ = std::move(sink); }
    void SetRandom(Random10 random) { random_ = std::move(random); }

    // Loads `CardDeck` into the face and suit symbol slots for the window's
    // picture class, sets the card size, then reloads the backs. False when
    // the deck's module (or a picture in it) was missing: the message was
    // given and `CardDeck` is 0.
    bool LoadDeck(Settings& settings, const WindowGeometry& window);
    // Loads `BackDeck` into the back slots. False when its module was
    // missing: the message was given and `BackDeck` is 0 (and, when a narrow
    // deck needed back set 0 from the module, `CardDeck` too).
    bool LoadBacks(Settings& settings);
    // Loads the background of a design: the purple picture, or
    // `BackgroundSet`/`BackgroundVariant`; stretched to the client size in
    // every window but the small one. False on a fallback (the purple
    // designs switched off, or set 2 variant 0 instead of a missing module).
    bool LoadBackground(Settings& settings, bool purple, const WindowGeometry& window);

    // Sets the back of a new deal from the weekday (Monday 1 .. Sunday 7).
    void ChooseBack(const Settings& settings, int dayOfWeek);
    // The same for today.
    void ChooseBack(const Settings& settings);
    int CurrentBack() const { return currentBack_; }

    bool NarrowCards() const { return narrow_; }
    const CardGeometry& Card() const { return card_; }
    int TrickOffsetPixels() const { return trickOffset_; }
    int CornerDiameter() const { return cornerDiameter_; }

    // The loaded picture of a face slot 13..36, a back slot 1..10, a suit
    // 0..3 (hearts, diamonds, clubs, spades) in the small or large size.
    const QImage& FaceSlot(int slot) const;
    const QImage& BackSlot(int slot) const;
    const QImage& SuitSymbol(int suitIndex, bool large) const;
    const QImage& SuitSymbolOf(Suit suit, bool large) const;

    // The card as drawn on the table at card size, transparent outside its
    // outline: small pictures inside a one-pixel black outline with cut
    // corners, other pictures stretched with rounded corners. Null for
    // NoCard or an unknown code.
    QImage CardImage(CardCode code) const;
    // The current back at card size.
    QImage BackImage() const;
    void DrawCard(int x, int y, CardCode code, QPainter& target) const;
    void DrawBack(int x, int y, QPainter& target) const;

    // Background picture (null when no set is chosen) and the window colour
    // under the pictures.
    const QImage& Background() const { return background_; }
    QColor WindowColour() const { return windowColour_; }

private:
    void Missing(const Settings& settings, const QString& module);
    bool LoadFaces(int cardDeck, PictureClass pictures);
    bool LoadBackSet(int backDeck);
    QImage CardAtSize(const QImage& picture) const;
    void ClearCaches();

    QStringList moduleFolders_;
    MessageSink sink_;
    Random10 random_;

    std::array<QImage, kFaceSlots + 1> faces_{};
    std::array<QImage, kBackSlots + 1> backs_{};
    std::array<QImage, 4> smallSymbols_{};
    std::array<QImage, 4> largeSymbols_{};
    mutable std::array<QImage, kFaceSlots + 1> faceCache_{};
    mutable std::array<QImage, kBackSlots + 1> backCache_{};

    WindowGeometry window_;
    CardGeometry card_;
    bool narrow_ = false;
    int trickOffset_ = 0;
    int cornerDiameter_ = 8;
    int currentBack_ = 1;
    int loadedBacks_ = 0;

    QImage background_;
    QColor windowColour_{0, 128, 0};
};

}  // namespace tarvel
