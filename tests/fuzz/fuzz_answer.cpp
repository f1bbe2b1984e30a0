// Fuzz target for the device proxy's answer parser: whatever a unit (or a broken cable) hands
// back as its answer goes through the proxy's own entry for read results, with every receive
// signal connected, so that the texts and values it hands on are built and used.
#include "QKXDevice.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

QKXDevice *device = nullptr;
volatile size_t consumed = 0; // keeps the receivers' work from being optimised away

void use(const QString &text) {
    consumed = consumed + size_t(text.size()) + (text.isEmpty() ? 0 : text.at(0).unicode());
}
void use(uint32_t value) {
    consumed = consumed + value;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    // Lives for the whole run; without an application object its worker never starts, so
    // nothing reaches a bus.
    device = new QKXDevice;
    QObject::connect(device, &QKXDevice::sig_recv_productname, [](QString s) { use(s); });
    QObject::connect(device, &QKXDevice::sig_recv_builddate, [](QString s) { use(s); });
    QObject::connect(device, &QKXDevice::sig_recv_buildtime, [](QString s) { use(s); });
    QObject::connect(device, &QKXDevice::sig_recv_debug, [](QString s) { use(s); });
    QObject::connect(device, &QKXDevice::sig_recv_version, [](uint16_t v) { use(v); });
    QObject::connect(device, &QKXDevice::sig_recv_build, [](uint16_t v) { use(v); });
    QObject::connect(device, &QKXDevice::sig_recv_hz, [](uint32_t v) { use(v); });
    QObject::connect(device, &QKXDevice::sig_recv_meter,
                     [](kxmsg_data_ch_t t, uint8_t n, uint32_t v) { use(uint32_t(t) + n + v); });
    QObject::connect(device, &QKXDevice::sig_recv_grmeter,
                     [](kxmsg_data_ch_t t, uint8_t n, uint32_t v) { use(uint32_t(t) + n + v); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // Each input starts from the same state: not ready, no clock source named.
    static const QByteArray reset = QByteArray::fromHex("1d0200a10200");
    device->recv_kx_recv_result(true, reset);
    device->recv_kx_recv_result(true, QByteArray(reinterpret_cast<const char *>(data), int(size)));
    return 0;
}
