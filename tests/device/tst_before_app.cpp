// The proxy built before the application object, as the store's global one is: its worker
// must start with the application, quietly, and the link must work.
#include "QKXDevice.h"
#include "UnitFixture.h"

#include <QCoreApplication>

#include <cstdio>

namespace {
QKXDevice *early = new QKXDevice; // built during static initialisation
}

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    UnitFixture units;
    units.plug(EmulatedUnit::Model::Pelvo);
    QString name;
    QObject::connect(early, &QKXDevice::sig_recv_productname, [&name](QString n) { name = n; });
    const bool ok = UnitFixture::waitFor([&] {
        early->request_version();
        return name == QStringLiteral("OLVANE Pelvo");
    });
    units.unplugAll();
    delete early;
    std::printf("%s: the early proxy %s the unit\n", ok ? "PASS" : "FAIL",
                ok ? "reached" : "did not reach");
    return ok ? 0 : 1;
}
