#include "sim/VirtualLan.h"

#include <algorithm>

namespace quor::sim {

namespace {

constexpr std::string_view BroadcastIp = "255.255.255.255";

int64_t QueueCost(size_t len)
{
    return 768 + static_cast<int64_t>((len + 63) / 64 * 64);
}

}  // namespace

void LanEndpoint::Send(std::string_view ip, uint16_t port, std::span<const uint8_t> data)
{
    if (port == QuorPort) {
        Lan.Deliver(*this, ip, data);
    }
}

void LanEndpoint::Broadcast(uint16_t port, std::span<const uint8_t> data)
{
    if (port == QuorPort) {
        Lan.Deliver(*this, BroadcastIp, data);
    }
}

void LanEndpoint::Arrive(int64_t atMs)
{
    while (!OnTheWay.empty() && OnTheWay.front().At <= atMs) {
        const int64_t cost = QueueCost(OnTheWay.front().Data.size());
        if (Queued + cost > ReceiveRoom) {
            ++Dropped;
        } else {
            Queued += cost;
            Queue.push_back(std::move(OnTheWay.front()));
        }
        OnTheWay.pop_front();
    }
}

void LanEndpoint::ReserveReceive(int bytes)
{
    ReceiveRoom = std::max(ReceiveRoom, 2 * static_cast<int64_t>(bytes));
}

int LanEndpoint::Receive(std::span<uint8_t> buf, int waitMs, std::string* senderIp)
{
    VirtualClock& clock = Lan.Clock;
    const int64_t deadline = clock.Ms + std::max(waitMs, 0);
    Lan.QueueFloods(*this, deadline);
    Arrive(clock.Ms);
    // Waiting ends at the first datagram that arrives and finds room.
    while (Queue.empty() && !OnTheWay.empty() && OnTheWay.front().At <= deadline) {
        clock.Ms = std::max(clock.Ms, OnTheWay.front().At);
        Arrive(clock.Ms);
    }
    if (Queue.empty()) {
        clock.Ms = deadline;
        return 0;
    }
    Pending d = std::move(Queue.front());
    Queue.pop_front();
    Queued -= QueueCost(d.Data.size());
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
    HostAt[ip] = &host;
    NextFlood.erase(ip);
}

void VirtualLan::Detach(const std::string& ip)
{
    Hosts.erase(ip);
    HostAt.erase(ip);
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

void VirtualLan::Deliver(LanEndpoint& from, std::string_view to, std::span<const uint8_t> data)
{
    const int64_t now = Clock.Ms;
    if (Tracing) {
        Trace.push_back({now, from.Ip, std::string(to), Bytes(data.begin(), data.end()), Clock.NowUs()});
    }
    const bool broadcast = to == BroadcastIp;
    auto handle = [&](const std::string& ip, LanHost& host) {
        auto replies = host.Handle(data, from.Ip, now);
        const int64_t sent = now + host.ReplyDelayMs();
        for (Bytes& reply : replies) {
            if (Tracing) {
                Trace.push_back({sent, ip, from.Ip, reply, sent * 1000});
            }
            DeliverToPc(from, ip, std::move(reply), sent + LatencyMs);
        }
    };
    if (broadcast) {
        for (auto& [ip, host] : Hosts) {
            handle(ip, *host);
        }
    } else if (const auto host = HostAt.find(to); host != HostAt.end()) {
        handle(host->first, *host->second);
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
    auto& way = pc.OnTheWay;
    auto pos = std::find_if(way.rbegin(), way.rend(), [at](const auto& p) { return p.At <= at; });
    way.insert(pos.base(), {at, from, std::move(data)});
}

void VirtualLan::QueueFloods(LanEndpoint& pc, int64_t until)
{
    // Flooding devices send to the first configurator, one datagram per period.
    if (!Floods || Pcs.empty() || &pc != Pcs.front().get()) {
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
