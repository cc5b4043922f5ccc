#include "platform/qt/QtSerialPort.h"

#include <QSerialPort>
#include <QString>
#include <algorithm>
#include <array>

#if defined(Q_OS_UNIX)
#include <termios.h>
#endif

namespace tq {
namespace {

// Marks this object's own calls to the device, so their failures are not taken for events
// of the line.
class OwnCall {
 public:
  explicit OwnCall(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
  ~OwnCall() { flag_ = previous_; }
  OwnCall(const OwnCall&) = delete;
  OwnCall& operator=(const OwnCall&) = delete;

 private:
  bool& flag_;
  bool previous_;
};

// A device that cannot report modem lines fails the ioctl with ENOTTY or EINVAL.
bool IsMissingModemLines(QSerialPort::SerialPortError error) {
  return error == QSerialPort::UnsupportedOperationError;
}

}  // namespace

QtSerialPort::QtSerialPort(HostPorts ports)
    : ports_(std::move(ports)), port_(std::make_unique<QSerialPort>()) {
  QObject::connect(port_.get(), &QSerialPort::readyRead, port_.get(), [this] { onReadyRead(); });
  QObject::connect(port_.get(), &QSerialPort::errorOccurred, port_.get(),
                   [this](QSerialPort::SerialPortError error) { onError(error); });
}

QtSerialPort::~QtSerialPort() {
  port_->disconnect();
  close();
}

bool QtSerialPort::open(int portNumber) {
  close();
  portNumber_ = portNumber;
  const std::string device = ports_.device(portNumber);
  // The simulator is chosen where the program is put together, never opened as a device.
  if (device.empty() || device == "simulator") return false;

  OwnCall guard(ownCall_);
  port_->setPortName(QString::fromStdString(device));
  port_->setBaudRate(9600);
  port_->setParity(QSerialPort::OddParity);
  port_->setDataBits(QSerialPort::Data8);
  port_->setStopBits(QSerialPort::OneStop);
  port_->setFlowControl(QSerialPort::NoFlowControl);
  if (!port_->open(QIODevice::ReadWrite)) {
    port_->clearError();
    return false;
  }
  port_->clearError();
  port_->pinoutSignals();
  modemLines_ = !IsMissingModemLines(port_->error());
  port_->clearError();
  parityMarking_ = enableParityMarking();
  return true;
}

bool QtSerialPort::enableParityMarking() {
#if defined(Q_OS_UNIX)
  const int fd = static_cast<int>(port_->handle());
  termios tio{};
  if (fd < 0 || ::tcgetattr(fd, &tio) != 0) return false;
  // Damaged bytes are marked in the stream instead of dropped silently.
  tio.c_iflag &= ~static_cast<tcflag_t>(IGNPAR | ISTRIP | IGNBRK | BRKINT);
  tio.c_iflag |= INPCK | PARMRK;
  if (::tcsetattr(fd, TCSANOW, &tio) != 0) return false;
  termios check{};
  return ::tcgetattr(fd, &check) == 0 && (check.c_iflag & PARMRK) != 0;
#else
  return false;
#endif
}

void QtSerialPort::close() {
  if (port_->isOpen()) {
    OwnCall guard(ownCall_);
    port_->close();
    port_->clearError();
  }
  rx_.clear();
  decoder_.reset();
  pendingLineErrors_ = 0;
  modemLines_ = true;
  parityMarking_ = false;
}

bool QtSerialPort::isOpen() const {
  return port_->isOpen();
}

void QtSerialPort::setBaudRate(int baud) {
  OwnCall guard(ownCall_);
  port_->setBaudRate(baud);
  port_->clearError();
}

void QtSerialPort::write(std::span<const std::uint8_t> bytes) {
  if (!port_->isOpen() || bytes.empty()) return;
  OwnCall guard(ownCall_);
  port_->write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
  // Out now rather than at the next turn of the event loop: the program times its waits
  // from here.
  port_->flush();
}

int QtSerialPort::pump() const {
  if (!port_->isOpen() || port_->bytesAvailable() <= 0) return 0;
  OwnCall guard(ownCall_);
  const QByteArray raw = port_->readAll();
  if (port_->error() == QSerialPort::ReadError || port_->error() == QSerialPort::ResourceError)
    ++pendingLineErrors_;
  port_->clearError();
  const auto* data = reinterpret_cast<const std::uint8_t*>(raw.constData());
  const std::span<const std::uint8_t> chunk(data, static_cast<std::size_t>(raw.size()));
  int errors = 0;
  const std::size_t before = rx_.size();
  if (parityMarking_) {
    std::vector<std::uint8_t> decoded;
    decoded.reserve(chunk.size());
    errors = decoder_.decode(chunk, decoded);
    rx_.insert(rx_.end(), decoded.begin(), decoded.end());
  } else {
    rx_.insert(rx_.end(), chunk.begin(), chunk.end());
  }
  received_ += rx_.size() - before;
  pendingLineErrors_ += errors;
  return errors;
}

std::size_t QtSerialPort::read(std::span<std::uint8_t> dest) {
  pump();
  const std::size_t n = std::min(dest.size(), rx_.size());
  std::copy_n(rx_.begin(), n, dest.begin());
  rx_.erase(rx_.begin(), rx_.begin() + static_cast<std::ptrdiff_t>(n));
  return n;
}

std::size_t QtSerialPort::bytesAvailable() const {
  pump();
  return rx_.size();
}

void QtSerialPort::onReadyRead() {
  pump();
  queueDelivery();
}

void QtSerialPort::queueDelivery() {
  if (deliveryQueued_) return;
  deliveryQueued_ = true;
  QMetaObject::invokeMethod(
      port_.get(),
      [this] {
        deliveryQueued_ = false;
        deliver();
      },
      Qt::QueuedConnection);
}

void QtSerialPort::deliver() {
  ++delivering_;
  for (;;) {
    if (pendingLineErrors_ > 0) {
      pendingLineErrors_ = 0;
      if (auto handler = lineErrorHandler_) handler();
    }
    if (rx_.empty() || !bytesHandler_) break;
    const std::uint64_t receivedBefore = received_;
    auto handler = bytesHandler_;
    handler(rx_.size());
    pump();
    // Bytes that came in meanwhile and were not handled during its waits are announced
    // again; bytes it chose to leave are not, or this would never end.
    if (received_ == receivedBefore && pendingLineErrors_ == 0) break;
  }
  --delivering_;
}

void QtSerialPort::onError(int error) {
  // Clearing an error reports NoError: answering that with another clear would never end.
  if (ownCall_ || error == QSerialPort::NoError) return;
  switch (static_cast<QSerialPort::SerialPortError>(error)) {
    // Received data was lost or the device failed under the line.
    case QSerialPort::ReadError:
    case QSerialPort::ResourceError:
      port_->clearError();
      if (delivering_ > 0) {
        ++pendingLineErrors_;
      } else if (auto handler = lineErrorHandler_) {
        handler();
      }
      break;
    default:
      // Missing modem lines, failed writes and open failures are answered where they occur.
      port_->clearError();
      break;
  }
}

bool QtSerialPort::readSignal(int signal) const {
  if (!port_->isOpen()) return false;
  if (!modemLines_) return true;
  OwnCall guard(ownCall_);
  port_->clearError();
  const QSerialPort::PinoutSignals lines = port_->pinoutSignals();
  const QSerialPort::SerialPortError error = port_->error();
  port_->clearError();
  if (error == QSerialPort::NoError) return (lines & signal) != 0;
  // A line that cannot be read is a line that is down: the program sees a lost link.
  return false;
}

bool QtSerialPort::dsr() const {
  return readSignal(QSerialPort::DataSetReadySignal);
}

bool QtSerialPort::cts() const {
  return readSignal(QSerialPort::ClearToSendSignal);
}

void QtSerialPort::setDtr(bool high) {
  if (!port_->isOpen() || !modemLines_) return;
  OwnCall guard(ownCall_);
  port_->setDataTerminalReady(high);
  port_->clearError();
}

void QtSerialPort::setRts(bool high) {
  if (!port_->isOpen() || !modemLines_) return;
  OwnCall guard(ownCall_);
  port_->setRequestToSend(high);
  port_->clearError();
}

void QtSerialPort::setBytesAvailableHandler(std::function<void(std::size_t)> handler) {
  bytesHandler_ = std::move(handler);
}

void QtSerialPort::setLineErrorHandler(std::function<void()> handler) {
  lineErrorHandler_ = std::move(handler);
}

}  // namespace tq
