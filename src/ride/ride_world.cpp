#include "ride_world.h"

#include <box2d/box2d.h>

#include <algorithm>
#include <cmath>

namespace korvo {

namespace {

constexpr float kStep = 1.0f / RideWorld::kStepsPerSecond;
constexpr int kVelocityIterations = 8;
constexpr int kPositionIterations = 3;
// The bike's shape in metres, around the frame's centre.
constexpr float kHalfWheelbase = 0.7f;
constexpr float kAxleBelowFrame = 0.2f;
constexpr float kFrameHalfLength = 0.6f, kFrameHalfHeight = 0.14f;
// The rider's torso and head stand over the frame, `RiderForward` ahead of its
// centre; the head leans 7 cm further forward than the torso.
constexpr float kTorsoY = 0.42f, kTorsoHalfWidth = 0.12f, kTorsoHalfHeight = 0.32f;
constexpr float kHeadAhead = 0.07f, kHeadY = 0.88f, kHeadRadius = 0.15f;
constexpr float kSuspensionTravel = 0.12f;
constexpr float kFrameAngularDamping = 3.0f; // the rider steadies the bike
constexpr float kRollingTorque = 1.0f;       // the engine's drag with the throttle shut
constexpr double kFallBelowTrack = 400;      // track units under the lowest node
constexpr double kPi = 3.14159265358979323846;

float toMetres(double units) {
    return float(units / RideWorld::kUnitsPerMetre);
}

} // namespace

const char* rideEndName(RideEnd end) {
    switch (end) {
    case RideEnd::Finished:
        return "finished";
    case RideEnd::Crashed:
        return "crashed";
    case RideEnd::Stopped:
        return "stopped";
    case RideEnd::Unfinishable:
        return "unfinishable";
    case RideEnd::Running:
        break;
    }
    return "running";
}

RideWorld::RideWorld(const RideTrack& track, const RideParams& params)
    : track_(track), params_(params) {
    build();
}

RideWorld::~RideWorld() = default;

QPointF RideWorld::toTrack(double wx, double wy) const {
    return {wx * kUnitsPerMetre, -wy * kUnitsPerMetre};
}

void RideWorld::build() {
    world_ = std::make_unique<b2World>(b2Vec2(0.0f, -float(params_.Gravity)));
    // The chain runs from the last node to the first: Box2D's chains collide
    // on the right-hand side of their direction, which is then the top.
    std::vector<b2Vec2> chain;
    for (auto it = track_.nodes.rbegin(); it != track_.nodes.rend(); ++it) {
        const b2Vec2 v(toMetres(it->x()), -toMetres(it->y()));
        if (!chain.empty() &&
            b2DistanceSquared(chain.back(), v) < 4 * b2_linearSlop * b2_linearSlop)
            continue;
        chain.push_back(v);
    }
    lowestY_ = kFallBelowTrack;
    for (const QPoint& p : track_.nodes) lowestY_ = std::max(lowestY_, p.y() + kFallBelowTrack);
    if (chain.size() < 2) {
        end_ = RideEnd::Stopped;
        endPlace_ = track_.nodes.empty() ? QPointF() : QPointF(track_.nodes.front());
        return;
    }
    b2BodyDef groundDef;
    ground_ = world_->CreateBody(&groundDef);
    b2ChainShape shape;
    shape.CreateChain(chain.data(), int32(chain.size()), chain.front() + b2Vec2(1, 0),
                      chain.back() - b2Vec2(1, 0));
    b2FixtureDef groundFixture;
    groundFixture.shape = &shape;
    groundFixture.friction = float(params_.Grip);
    ground_->CreateFixture(&groundFixture);

    // Set down level on the highest ground under the wheelbase.
    const double sx = track_.startX();
    const double half = kHalfWheelbase * kUnitsPerMetre;
    double top =
        std::min({track_.groundY(sx - half), track_.groundY(sx), track_.groundY(sx + half)});
    for (const QPoint& p : track_.nodes)
        if (p.x() >= sx - half - params_.WheelRadius * kUnitsPerMetre &&
            p.x() <= sx + half + params_.WheelRadius * kUnitsPerMetre)
            top = std::min(top, double(p.y()));
    const float axleY = -toMetres(top) + float(params_.WheelRadius) + 0.02f;
    const float cx = toMetres(sx), cy = axleY + kAxleBelowFrame;

    b2BodyDef frameDef;
    frameDef.type = b2_dynamicBody;
    frameDef.position.Set(cx, cy);
    frameDef.angularDamping = kFrameAngularDamping;
    frame_ = world_->CreateBody(&frameDef);
    b2PolygonShape frameBox;
    frameBox.SetAsBox(kFrameHalfLength, kFrameHalfHeight);
    b2FixtureDef frameFixture;
    frameFixture.shape = &frameBox;
    frameFixture.density = float(params_.BikeMass / (4 * kFrameHalfLength * kFrameHalfHeight));
    frameFixture.friction = 0.5f;
    frame_->CreateFixture(&frameFixture);
    b2PolygonShape torso;
    const float riderX = float(params_.RiderForward);
    torso.SetAsBox(kTorsoHalfWidth, kTorsoHalfHeight, b2Vec2(riderX, kTorsoY), 0.0f);
    b2FixtureDef torsoFixture;
    torsoFixture.shape = &torso;
    torsoFixture.density = float(params_.RiderMass / (4 * kTorsoHalfWidth * kTorsoHalfHeight));
    torsoFixture.friction = 0.5f;
    frame_->CreateFixture(&torsoFixture);
    b2CircleShape headShape;
    headShape.m_radius = kHeadRadius;
    headShape.m_p.Set(riderX + kHeadAhead, kHeadY);
    b2FixtureDef headFixture;
    headFixture.shape = &headShape;
    headFixture.density = 1.0f;
    head_ = frame_->CreateFixture(&headFixture);

    auto wheel = [&](float dx) {
        b2BodyDef def;
        def.type = b2_dynamicBody;
        def.position.Set(cx + dx, axleY);
        b2Body* body = world_->CreateBody(&def);
        b2CircleShape circle;
        circle.m_radius = float(params_.WheelRadius);
        b2FixtureDef f;
        f.shape = &circle;
        f.density = float(params_.WheelMass / (kPi * params_.WheelRadius * params_.WheelRadius));
        f.friction = float(params_.Grip);
        f.restitution = 0.1f;
        body->CreateFixture(&f);
        b2WheelJointDef jd;
        jd.Initialize(frame_, body, body->GetPosition(), b2Vec2(0.0f, 1.0f));
        b2LinearStiffness(jd.stiffness, jd.damping, float(params_.Spring), float(params_.Damping),
                          frame_, body);
        jd.enableLimit = true;
        jd.lowerTranslation = -kSuspensionTravel;
        jd.upperTranslation = kSuspensionTravel;
        jd.enableMotor = true;
        jd.maxMotorTorque = kRollingTorque;
        jd.motorSpeed = 0.0f;
        return std::pair{body, static_cast<b2WheelJoint*>(world_->CreateJoint(&jd))};
    };
    std::tie(rear_, rearJoint_) = wheel(-kHalfWheelbase);
    std::tie(front_, frontJoint_) = wheel(kHalfWheelbase);
    if (!track_.finishable()) {
        end_ = RideEnd::Unfinishable;
        endPlace_ = toTrack(cx, cy);
    }
}

void RideWorld::applyInput(const RideInput& in) {
    if (in.down) {
        for (b2WheelJoint* j : {rearJoint_, frontJoint_}) {
            j->SetMotorSpeed(0.0f);
            j->SetMaxMotorTorque(float(params_.BrakeTorque));
        }
    } else {
        rearJoint_->SetMotorSpeed(in.up ? -float(params_.TopSpeed / params_.WheelRadius) : 0.0f);
        rearJoint_->SetMaxMotorTorque(in.up ? float(engineTorque()) : kRollingTorque);
        frontJoint_->SetMotorSpeed(0.0f);
        frontJoint_->SetMaxMotorTorque(kRollingTorque);
    }
    // A lean shifts the rider's weight: it turns the frame until it turns at
    // LeanRate, and no faster.
    const float lean = float(params_.LeanTorque);
    const float most = float(params_.LeanRate * kPi / 180);
    const float spin = frame_->GetAngularVelocity();
    if (in.left && !in.right && spin < most) frame_->ApplyTorque(lean, true);
    if (in.right && !in.left && spin > -most) frame_->ApplyTorque(-lean, true);
}

double RideWorld::engineTorque() const {
    // The clutch slips at low speed: StartTorque at a standstill, rising in a
    // straight line to EngineTorque at FullTorqueSpeed of the rear wheel.
    const double v = std::abs(rear_->GetAngularVelocity()) * params_.WheelRadius;
    const double full = std::min(1.0, v / params_.FullTorqueSpeed);
    const double start = std::min(params_.StartTorque, params_.EngineTorque);
    return start + (params_.EngineTorque - start) * full;
}

bool RideWorld::headTouches() const {
    for (const b2ContactEdge* e = frame_->GetContactList(); e; e = e->next) {
        const b2Contact* c = e->contact;
        if (c->IsTouching() && (c->GetFixtureA() == head_ || c->GetFixtureB() == head_))
            return true;
    }
    return false;
}

void RideWorld::step(const RideInput& input) {
    if (end_ != RideEnd::Running) return;
    applyInput(input);
    world_->Step(kStep, kVelocityIterations, kPositionIterations);
    ++steps_;
    const b2Vec2 p = frame_->GetPosition();
    if (headTouches())
        end_ = RideEnd::Crashed;
    else if (x() >= track_.finishX())
        end_ = RideEnd::Finished;
    else if (-p.y * kUnitsPerMetre > lowestY_ || steps_ >= kLimitSteps)
        end_ = RideEnd::Stopped;
    if (end_ != RideEnd::Running) endPlace_ = toTrack(p.x, p.y);
}

double RideWorld::x() const {
    return frame_ ? frame_->GetPosition().x * kUnitsPerMetre : endPlace_.x();
}

double RideWorld::tilt() const {
    return frame_ ? frame_->GetAngle() : 0;
}

double RideWorld::tiltRate() const {
    return frame_ ? frame_->GetAngularVelocity() : 0;
}

double RideWorld::speed() const {
    return frame_ ? frame_->GetLinearVelocity().x : 0;
}

BikePose RideWorld::pose() const {
    BikePose pose;
    if (!frame_) return pose;
    auto at = [&](b2Vec2 v) { return toTrack(v.x, v.y); };
    pose.rearWheel = at(rear_->GetPosition());
    pose.frontWheel = at(front_->GetPosition());
    pose.wheelRadius = params_.WheelRadius * kUnitsPerMetre;
    pose.rearTurn = -rear_->GetAngle();
    pose.frontTurn = -front_->GetAngle();
    pose.frame = at(frame_->GetPosition());
    pose.angle = -frame_->GetAngle();
    pose.head = at(frame_->GetWorldPoint(b2Vec2(float(params_.RiderForward) + kHeadAhead, kHeadY)));
    pose.headRadius = kHeadRadius * kUnitsPerMetre;
    return pose;
}

} // namespace korvo
