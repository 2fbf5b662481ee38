// Giving up a network request that still waits for its answer.
#pragma once

#include <QNetworkReply>
#include <QObject>

namespace tarvel {

// Cuts `reply` off from `receiver`'s handlers, aborts it and deletes it
// once its own signals are delivered; `reply` becomes null. Nothing happens
// for a null reply.
inline void AbandonReply(QNetworkReply*& reply, QObject* receiver) {
  if (reply == nullptr) return;
  reply->disconnect(receiver);
  reply->abort();
  reply->deleteLater();
  reply = nullptr;
}

}  // namespace tarvel
