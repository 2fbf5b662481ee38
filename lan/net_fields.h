// The network fields of the player-name dialog: create the game as host or
// join one as client, the host's address and the port, the machine's own
// addresses, and a help link for setting up a router. The name dialog embeds
// this widget when network play is on and asks Confirm() on "Ok".
#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>

#include "settings/settings_file.h"
#include "settings/words/words.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace tarvel::lan {

class NetFields : public QWidget {
  Q_OBJECT

 public:
  // The fields keep the last accepted address and port in `settings`
  // (NetAddress, NetPort).
  NetFields(Settings& settings, int language, QWidget* parent = nullptr);

  // The machine's external address, from the online services' "/get_ip.php"
  // (UTF-8 text; empty when the request fails). Without a lookup the box
  // stays empty.
  using ExternalAddressLookup = std::function<QString()>;
  void SetExternalAddressLookup(ExternalAddressLookup lookup) { externalLookup_ = std::move(lookup); }
  // The router set-up page that "?" opens in the browser.
  void SetRouterHelpUrl(const QUrl& url) { routerHelp_ = url; }

  // The dialog is shown: host selected, the address box off and empty, the
  // port box with the last port, no message.
  void Prepare();

  // "Ok" of the dialog: the client's address and the port are checked; a
  // bad one shows its message, takes the focus and returns false. On success
  // the accepted texts become the settings' NetAddress (client) and NetPort.
  bool Confirm();

  bool Host() const { return role_ == 1; }
  QString Address() const;
  std::uint16_t Port() const;

  // Fills the address boxes: the interface addresses, the external address
  // and "127.0.0.1" ("To receive the IP-addresses").
  void ShowOwnAddresses();

  QRadioButton* HostChoice() const { return host_; }
  QRadioButton* ClientChoice() const { return client_; }
  QLineEdit* AddressBox() const { return address_; }
  QLineEdit* PortBox() const { return port_; }
  QLabel* MessageLine() const { return message_; }
  QLineEdit* OwnAddressBox(int index) const { return own_[static_cast<std::size_t>(index)]; }

 private:
  void ChooseRole(int role);
  void AddressEdited(const QString& text);
  void PortEdited(const QString& text);
  void ShowMessage(WordId id);
  QString Text(WordId id, int row = 0) const;

  Settings& settings_;
  int language_;
  int role_ = 1;  // NetRole: 1 host, 2 client
  ExternalAddressLookup externalLookup_;
  QUrl routerHelp_;

  QGroupBox* roles_ = nullptr;
  QRadioButton* host_ = nullptr;
  QRadioButton* client_ = nullptr;
  QLabel* addressLabel_ = nullptr;
  QLineEdit* address_ = nullptr;
  QLabel* portLabel_ = nullptr;
  QLineEdit* port_ = nullptr;
  QSpinBox* games_ = nullptr;
  QPushButton* receive_ = nullptr;
  QPushButton* help_ = nullptr;
  std::array<QLineEdit*, 6> own_{};
  QLabel* message_ = nullptr;
};

}  // namespace tarvel::lan
