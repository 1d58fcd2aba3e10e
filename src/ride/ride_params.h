#pragma once
// The numbers of the test ride's bike, from the [Ride] section of "opt.ini".
// Lengths are metres, masses kilograms, torques newton metres; a missing or
// unreadable key keeps its default.

#include <QString>

namespace korvo {

class IniText;

struct RideParams {
    double WheelRadius = 0.32;  // metres
    double BikeMass = 80;       // the frame, kilograms
    double WheelMass = 6;       // each wheel
    double RiderMass = 70;      // the rider, carried by the frame
    double RiderForward = 0.25; // metres the rider sits ahead of the frame's centre
    double Spring = 4.5;        // suspension frequency, hertz
    double Damping = 0.7;       // suspension damping ratio
    double EngineTorque = 550;  // on the rear wheel from FullTorqueSpeed on
    double StartTorque = 250;   // on the rear wheel at a standstill
    double FullTorqueSpeed = 6; // metres per second where the engine's torque is whole
    double BrakeTorque = 300;   // on each wheel while braking
    double LeanTorque = 400;    // on the frame while leaning
    double LeanRate = 290;      // degrees per second beyond which a lean adds no turn
    double Gravity = 9.81;      // metres per second squared
    double Grip = 2.0;          // friction of the tyres on the ground
    double TopSpeed = 16;       // metres per second the engine drives towards
};

// [Ride] of an INI file over the defaults; values out of their sensible range
// (zero or negative masses, lengths, torques, spring) keep the default.
RideParams rideParamsFrom(const IniText& ini);
// The same from the "opt.ini" of a base folder.
RideParams rideParamsOfBase(const QString& baseFolder);

} // namespace korvo
