#include "lan/net_fields.h"

#include <QApplication>
#include <QDesktopServices>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkInterface>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "lan/net_checks.h"

namespace tarvel::lan {
namespace {

constexpr int kInterfaceBoxes = 4;  // the last two boxes: external, loop

// IPv4 addresses of the machine's interfaces that are up, in the order the
// system lists them; loopback is left out (it has a box of its own).
QStringList InterfaceAddresses() {
  QStringList addresses;
  for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
    const auto flags = interface.flags();
    if (!flags.testFlag(QNetworkInterface::IsUp) || flags.testFlag(QNetworkInterface::IsLoopBack))
      continue;
    for (const QNetworkAddressEntry& entry : interface.addressEntries()) {
      if (entry.ip().protocol() != QAbstractSocket::IPv4Protocol) continue;
      addresses << entry.ip().toString();
      break;
    }
  }
  return addresses;
}

}  // namespace

NetFields::NetFields(Settings& settings, int language, QWidget* parent)
    : QWidget(parent), settings_(settings), language_(language) {
  setObjectName(QStringLiteral("NetFields"));
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);

  roles_ = new QGroupBox(Text(WordId::ServerClient), this);
  auto* roleColumn = new QVBoxLayout(roles_);
  host_ = new QRadioButton(Text(WordId::NetRoles, 0), roles_);
  client_ = new QRadioButton(Text(WordId::NetRoles, 1), roles_);
  roleColumn->addWidget(host_);
  roleColumn->addWidget(client_);
  column->addWidget(roles_);

  auto* grid = new QGridLayout;
  addressLabel_ = new QLabel(Text(WordId::EnterServerIp), this);
  address_ = new QLineEdit(this);
  address_->setMaxLength(kAddressBoxLength);
  addressLabel_->setBuddy(address_);
  portLabel_ = new QLabel(Text(WordId::EnterServerPort), this);
  port_ = new QLineEdit(this);
  port_->setMaxLength(kPortBoxLength);
  portLabel_->setBuddy(port_);
  auto* gamesLabel = new QLabel(Text(WordId::NumberGames), this);
  games_ = new QSpinBox(this);
  games_->setRange(1, 30);
  games_->setValue(1);
  games_->setEnabled(false);
  grid->addWidget(addressLabel_, 0, 0);
  grid->addWidget(address_, 0, 1);
  grid->addWidget(portLabel_, 1, 0);
  grid->addWidget(port_, 1, 1);
  grid->addWidget(gamesLabel, 2, 0);
  grid->addWidget(games_, 2, 1);
  column->addLayout(grid);

  auto* buttons = new QHBoxLayout;
  receive_ = new QPushButton(Text(WordId::ReceiveIpAddresses), this);
  help_ = new QPushButton(QStringLiteral("?"), this);
  help_->setToolTip(Text(WordId::RouterHelp));
  help_->setFixedWidth(help_->sizeHint().height());
  buttons->addWidget(receive_);
  buttons->addWidget(help_);
  column->addLayout(buttons);

  auto* boxes = new QGridLayout;
  for (std::size_t i = 0; i < own_.size(); ++i) {
    own_[i] = new QLineEdit(this);
    own_[i]->setReadOnly(true);
    own_[i]->hide();
    boxes->addWidget(own_[i], static_cast<int>(i / 2), static_cast<int>(i % 2));
  }
  column->addLayout(boxes);

  message_ = new QLabel(this);
  message_->setStyleSheet(QStringLiteral("color: red"));
  column->addWidget(message_);

  connect(host_, &QRadioButton::toggled, this, [this](bool on) { if (on) ChooseRole(1); });
  connect(client_, &QRadioButton::toggled, this, [this](bool on) { if (on) ChooseRole(2); });
  connect(address_, &QLineEdit::textEdited, this, &NetFields::AddressEdited);
  connect(port_, &QLineEdit::textEdited, this, &NetFields::PortEdited);
  connect(receive_, &QPushButton::clicked, this, &NetFields::ShowOwnAddresses);
  connect(help_, &QPushButton::clicked, this, [this] {
    if (routerHelp_.isValid()) QDesktopServices::openUrl(routerHelp_);
  });
  Prepare();
}

QString NetFields::Text(WordId id, int row) const {
  const std::string_view text = Word(id, language_, row);
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void NetFields::Prepare() {
  host_->setChecked(true);
  ChooseRole(1);
  port_->setText(QString::fromStdString(settings_.NetPort));
  message_->hide();
}

void NetFields::ChooseRole(int role) {
  role_ = role;
  const bool client = role == 2;
  addressLabel_->setEnabled(client);
  address_->setEnabled(client);
  address_->setText(client ? QString::fromStdString(settings_.NetAddress) : QString());
  portLabel_->setEnabled(true);
  port_->setEnabled(true);
}

void NetFields::AddressEdited(const QString& text) {
  message_->hide();
  const std::string typed = text.toStdString();
  if (!AddressTypingAccepted(typed)) {
    address_->setText(QString::fromStdString(settings_.NetAddress));
    return;
  }
  if (role_ == 2 && !typed.empty()) settings_.NetAddress = typed;
}

void NetFields::PortEdited(const QString& text) {
  const std::string typed = text.toStdString();
  if (!PortTypingAccepted(typed)) {
    port_->setText(QString::fromStdString(settings_.NetPort));
    return;
  }
  settings_.NetPort = typed;
}

void NetFields::ShowMessage(WordId id) {
  message_->setText(Text(id));
  message_->show();
}

bool NetFields::Confirm() {
  if (role_ == 2 && !HostAddressValid(address_->text().toStdString())) {
    ShowMessage(WordId::IncorrectIp);
    address_->setFocus();
    return false;
  }
  // An empty box, and (beyond the plain check) a number that is no TCP port.
  if (!PortOf(port_->text().toStdString())) {
    ShowMessage(WordId::IncorrectPort);
    port_->setFocus();
    return false;
  }
  message_->hide();
  if (role_ == 2) settings_.NetAddress = address_->text().toStdString();
  settings_.NetPort = port_->text().toStdString();
  return true;
}

QString NetFields::Address() const { return address_->text(); }

std::uint16_t NetFields::Port() const { return PortOf(port_->text().toStdString()).value_or(0); }

void NetFields::ShowOwnAddresses() {
  QStringList shown = InterfaceAddresses().mid(0, kInterfaceBoxes);
  std::size_t box = 0;
  for (const QString& address : shown) {
    own_[box]->setText(address);
    own_[box]->setToolTip(QString());
    own_[box++]->show();
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const QString external = externalLookup_ ? externalLookup_() : QString();
  QApplication::restoreOverrideCursor();
  own_[box]->setText(external);
  own_[box]->setToolTip(Text(WordId::ExternalAddress));
  own_[box++]->show();
  own_[box]->setText(QStringLiteral("127.0.0.1"));
  own_[box]->setToolTip(Text(WordId::Loop));
  own_[box]->show();
}

}  // namespace tarvel::lan
