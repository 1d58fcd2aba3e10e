#include "ride_params.h"

#include "settings/ini_file.h"

#include <QDir>

namespace korvo {

namespace {

void take(const IniText& ini, const char* key, double& value, bool zeroAllowed = false) {
    const auto text = ini.value("Ride", key);
    if (!text) return;
    bool ok = false;
    const double v = text->toDouble(&ok);
    if (ok && (v > 0 || (zeroAllowed && v == 0)) && v < 1e6) value = v;
}

} // namespace

RideParams rideParamsFrom(const IniText& ini) {
    RideParams p;
    take(ini, "WheelRadius", p.WheelRadius);
    take(ini, "BikeMass", p.BikeMass);
    take(ini, "WheelMass", p.WheelMass);
    take(ini, "RiderMass", p.RiderMass);
    take(ini, "RiderForward", p.RiderForward, true);
    take(ini, "Spring", p.Spring);
    take(ini, "Damping", p.Damping, true);
    take(ini, "EngineTorque", p.EngineTorque, true);
    take(ini, "StartTorque", p.StartTorque, true);
    take(ini, "FullTorqueSpeed", p.FullTorqueSpeed);
    take(ini, "BrakeTorque", p.BrakeTorque, true);
    take(ini, "LeanTorque", p.LeanTorque, true);
    take(ini, "LeanRate", p.LeanRate);
    take(ini, "Gravity", p.Gravity, true);
    take(ini, "Grip", p.Grip, true);
    take(ini, "TopSpeed", p.TopSpeed);
    return p;
}

RideParams rideParamsOfBase(const QString& baseFolder) {
    const auto ini = readIniFile(QDir(baseFolder).filePath("opt.ini"));
    return ini ? rideParamsFrom(*ini) : RideParams{};
}

} // namespace korvo
