#include "table/deal_explanation.h"

#include <algorithm>

#include "engine/rules.h"
#include "widgets/word_text.h"

namespace tarvel {

namespace {

std::size_t At(int seat) { return static_cast<std::size_t>(seat); }

// A sentence may open with a seat phrase written in lower case.
QString Capitalised(QString text) {
  if (!text.isEmpty()) text[0] = text[0].toUpper();
  return text;
}

QString Number(std::int32_t value) { return QString::number(value); }

// The seat that closed the deal: the first with 66 or more that scored.
int Closer(const DealFigures& f) {
  for (int seat = 1; seat <= 3; ++seat)
    if (f.taken[At(seat)] >= 66 && f.result[At(seat)] > 0) return seat;
  return 0;
}

std::int32_t Most(const DealFigures& f) { return std::max({f.taken[1], f.taken[2], f.taken[3]}); }

// "X reached N ..." in the seat's or the local player's form.
QString SeatSentence(WordId id, int seat, std::int32_t points, int language) {
  if (seat == 3) return WordText(id, language, 1).arg(points);
  return Capitalised(WordText(id, language, 0).arg(SeatPhrase(seat, language), Number(points)));
}

}  // namespace

QString SeatPhrase(int seat, int language) {
  return WordText(WordId::SeatPhrase, language, std::clamp(seat, 1, 3) - 1);
}

DealFigures DealFiguresOf(const MatchState& s) {
  DealFigures f;
  f.taken = s.Taken;
  f.result = s.DealResult;
  f.allPlayed = s.HandCount[1] == 0 && s.HandCount[2] == 0 && s.HandCount[3] == 0;
  // A deal ended by a marriage is logged with the two empty places of its
  // trick: the last log entry before PlayedCount is NoCard.
  const int last = static_cast<int>(s.PlayedCount) - 1;
  f.marriageEnd = !f.allPlayed && last >= 1 && last <= 24 && !s.PlayedLog[At(last)].IsCard();
  f.deadHeat = s.DeadHeat;
  return f;
}

DealEnd DealEndOf(const DealFigures& f) {
  // With the convention off the last trick decides by the most points, even
  // when it lifted a seat to 66.
  if (f.allPlayed && !f.deadHeat) {
    const std::int32_t top = Most(f);
    const bool allEqual = f.taken[1] == top && f.taken[2] == top && f.taken[3] == top;
    return allEqual ? DealEnd::AllEqual : DealEnd::MostPoints;
  }
  if (Closer(f) == 0) return DealEnd::DeadHeat;
  return f.marriageEnd ? DealEnd::ClosedMarriage : DealEnd::Closed;
}

QString DealEndLine(const DealFigures& f, int language) {
  const DealEnd end = DealEndOf(f);
  if (end == DealEnd::DeadHeat) return WordText(WordId::DealEndLine, language, 2).arg(WordText(WordId::DealEndDeadHeat, language));
  const std::int32_t top = Most(f);
  if (end == DealEnd::AllEqual)
    return WordText(WordId::DealEndLine, language, 2).arg(WordText(WordId::DealEndAllEqual, language).arg(top));

  QString why;
  QString gave;
  bool humanScored = f.result[3] > 0;
  if (end == DealEnd::MostPoints) {
    std::array<int, 2> tops{};
    int count = 0;
    for (int seat = 1; seat <= 3; ++seat)
      if (f.taken[At(seat)] == top && count < 2) tops[static_cast<std::size_t>(count++)] = seat;
    if (count == 2) {
      why = WordText(WordId::DealEndTwoMost, language)
                .arg(SeatPhrase(tops[0], language), SeatPhrase(tops[1], language), Number(top));
      gave = WordText(WordId::DealEndGamePoints, language, 3);
    } else {
      why = SeatSentence(WordId::DealEndMost, tops[0], top, language);
      gave = WordText(WordId::DealEndGamePoints, language, 0);
    }
  } else {
    const int closer = Closer(f);
    why = SeatSentence(end == DealEnd::ClosedMarriage ? WordId::DealEndMarriage : WordId::DealEndClosed, closer,
                       f.taken[At(closer)], language);
    gave = WordText(WordId::DealEndGamePoints, language, std::clamp(f.result[At(closer)], 1, 3) - 1);
  }
  if (humanScored) return WordText(WordId::DealEndLine, language, 0).arg(why, gave);
  const QString you = f.taken[3] == 0 ? WordText(WordId::DealEndYouTook, language, 0)
                                      : WordText(WordId::DealEndYouTook, language, 1).arg(f.taken[3]);
  return WordText(WordId::DealEndLine, language, 1).arg(why, gave, you);
}

QString GameEndLine(std::int32_t result, int language) {
  const int row = result > 0 ? 0 : result < 0 ? 1 : 2;
  return WordText(WordId::GameEndLine, language, row).arg(result > 0 ? QStringLiteral("+") + Number(result) : Number(result));
}

QString RefusalLine(const MatchState& s, int slot, int language) {
  if (s.TrickPos < 2 || s.TrickPos > 3 || !IsIllegalCard(s, slot)) return QString();
  return WordText(HasSuit(s.Hands[3], s.LedSuit) ? WordId::RefusedFollow : WordId::RefusedTrump, language);
}

}  // namespace tarvel
