#include "sim/VirtualLan.h"

#include <algorithm>

namespace quor::sim {

namespace {

const std::string BroadcastIp = "255.255.255.255";

}  // namespace

void LanEndpoint::Send(std::string_view ip, uint16_t port, std::span<const uint8_t> data)
{
    if (port == QuorPort) {
        Lan.Deliver(*this, std::string(ip), data);
    }
}

void LanEndpoint::Broadcast(uint16_t port, std::span<const uint8_t> data)
{
    if (port == QuorPort) {
        Lan.Deliver(*this, BroadcastIp, data);
    }
}

int LanEndpoint::Receive(std::span<uint8_t> buf, int waitMs, std::string* senderIp)
{
    VirtualClock& clock = Lan.Clock;
    const int64_t deadline = clock.Ms + std::max(waitMs, 0);
    Lan.QueueFloods(*this, deadline);
    if (Queue.empty() || Queue.front().At > deadline) {
        clock.Ms = deadline;
        return 0;
    }
    Pending d = std::move(Queue.front());
    Queue.pop_front();
    clock.Ms = std::max(clock.Ms, d.At);
    const size_t len = std::min(d.Data.size(), buf.size());
    std::copy_n(d.Data.begin(), len, buf.begin());
    if (senderIp) {
        *senderIp = d.From;
    }
    return static_cast<int>(len);
}

Clock& LanEndpoint::Time()
{
    return Lan.Clock;
}

LanEndpoint& VirtualLan::AddPc()
{
    Pcs.push_back(std::make_unique<LanEndpoint>(*this, "10.45.0." + std::to_string(Pcs.size() + 1)));
    return *Pcs.back();
}

void VirtualLan::Attach(const std::string& ip, LanHost& host)
{
    Hosts[ip] = &host;
    NextFlood.erase(ip);
}

void VirtualLan::Detach(const std::string& ip)
{
    Hosts.erase(ip);
    NextFlood.erase(ip);
}

std::vector<Frame> VirtualLan::SentTo(const std::string& ip, size_t from) const
{
    std::vector<Frame> frames;
    for (size_t i = from; i < Trace.size(); ++i) {
        if (Trace[i].To == ip) {
            frames.push_back(Trace[i]);
        }
    }
    return frames;
}

void VirtualLan::Deliver(LanEndpoint& from, const std::string& to, std::span<const uint8_t> data)
{
    const int64_t now = Clock.Ms;
    Trace.push_back({now, from.Ip, to, Bytes(data.begin(), data.end()), Clock.NowUs()});
    const bool broadcast = to == BroadcastIp;
    for (auto& [ip, host] : Hosts) {
        if (!broadcast && ip != to) {
            continue;
        }
        auto replies = host->Handle(data, from.Ip, now);
        const int64_t sent = now + host->ReplyDelayMs();
        for (Bytes& reply : replies) {
            Trace.push_back({sent, ip, from.Ip, reply, sent * 1000});
            DeliverToPc(from, ip, std::move(reply), sent + LatencyMs);
        }
    }
    // Another configurator on the LAN hears broadcasts and datagrams sent to it.
    for (auto& pc : Pcs) {
        if (pc.get() != &from && (broadcast || pc->Ip == to)) {
            DeliverToPc(*pc, from.Ip, Bytes(data.begin(), data.end()), now + LatencyMs);
        }
    }
}

void VirtualLan::DeliverToPc(LanEndpoint& pc, const std::string& from, Bytes data, int64_t at)
{
    auto pos = std::find_if(pc.Queue.rbegin(), pc.Queue.rend(), [at](const auto& p) { return p.At <= at; });
    pc.Queue.insert(pos.base(), {at, from, std::move(data)});
}

void VirtualLan::QueueFloods(LanEndpoint& pc, int64_t until)
{
    // Flooding devices send to the first configurator, one datagram per period.
    if (Pcs.empty() || &pc != Pcs.front().get()) {
        return;
    }
    for (auto& [ip, host] : Hosts) {
        const int period = host->FloodPeriodMs();
        if (period <= 0) {
            NextFlood.erase(ip);
            continue;
        }
        auto [it, fresh] = NextFlood.try_emplace(ip, Clock.Ms + period);
        for (; it->second <= until; it->second += period) {
            DeliverToPc(pc, ip, host->FloodDatagram(), it->second);
        }
    }
}

}  // namespace quor::sim
