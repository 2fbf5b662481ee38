// The table connection: one TCP socket to the table server of the place
// held in the lobby. Socket events feed the session (tour_session.h), which
// holds the rules; this class only moves bytes. The socket is never closed
// from inside its own events: a close asked for there happens one turn of
// the event loop later.
#pragma once

#include <QObject>
#include <QTcpSocket>

#include <string>
#include <string_view>

#include "online/tour_state.h"
#include "online/tourtable/tour_session.h"

namespace tarvel::tour {

class TourConnection : public QObject, public TourTableLink, private TourSender {
  Q_OBJECT

 public:
  TourConnection(MatchState& state, TableEvents& events, GameDriver& driver, DeckRandom& random,
                 TourState& tour, TourFront& front);
  ~TourConnection() override;

  // TourTableLink.
  void Open(const std::string& host, int port, int table, int place) override;
  void Leave() override;
  void Close() override;

  TourSession& Session() { return session_; }

 private:
  // TourSender.
  void SendFrame(std::string_view frame) override;
  void Deactivate() override;
  void CloseSocket();

  TourSession session_;
  QTcpSocket socket_;
  bool closeDue_ = false;
};

}  // namespace tarvel::tour
