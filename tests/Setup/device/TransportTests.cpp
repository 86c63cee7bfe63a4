// Tests of the USB link against the simulated unit (and, where a unit cannot be, the real
// device calls of the test prefix): opening and closing with its threads and events, the
// session, the zero-length packet after whole packets, the queue of received packets,
// writes that fail or time out, a unit that goes away, and damaged packets.
#include "tests/Setup/device/DeviceTestSupport.h"
#include "tests/Setup/device/SimulatedUnit.h"

#include "Setup/device/UsbTransport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

const Bytes kStartSession = {0, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0};

// The queue's packets, oldest first, taken out of it.
std::vector<Bytes> TakeQueue()
{
    std::vector<Bytes> packets;
    for (;;) {
        bool has = false;
        DWORD length = 0;
        CUsbTransport::PeekPacket(has, length);
        if (!has)
            return packets;
        Bytes packet(length);
        EXPECT_EQ(CUsbTransport::PopPacket(packet.data(), length), length);
        packets.push_back(packet);
    }
}

bool WaitForPacket()
{
    return WaitFor([] {
        bool has = false;
        DWORD length = 0;
        CUsbTransport::PeekPacket(has, length);
        return has;
    });
}

// The packets that arrive in the queue until there are count of them (or the time is up).
std::vector<Bytes> CollectPackets(size_t count)
{
    std::vector<Bytes> packets;
    WaitFor([&] {
        for (const Bytes& packet : TakeQueue())
            packets.push_back(packet);
        return packets.size() >= count;
    });
    return packets;
}

class Transport : public ::testing::Test
{
protected:
    Transport() : m_threads(Threads()) {}
    ~Transport() override { CUsbTransport::Close(); }

    // Opens the link and waits for the unit's session-started packet to be taken in.
    void OpenSession()
    {
        ASSERT_TRUE(CUsbTransport::Open());
        // The unit answered the start-session packet before Open returned, so a packet it
        // sends now comes after its session-started packet and is queued.
        unit.SendInterrupt(AppPacket(wire::kUnitId, U32(0xFEED)));
        ASSERT_TRUE(WaitForPacket());
        TakeQueue();
        unit.ClearRecords();
    }

    Watchdog m_watchdog;
    std::set<DWORD> m_threads;   // those before the test
    SimulatedUnit unit;
};

TEST(TransportWithoutUnit, RealDeviceCallsFindNoUnitAndLeaveNothingBehind)
{
    Watchdog watchdog;
    std::set<DWORD> threads = Threads();
    EXPECT_FALSE(CUsbTransport::Open());
    EXPECT_FALSE(CUsbTransport::IsOpen());
    EXPECT_TRUE(ThreadsBecome(threads, 0));
    EXPECT_EQ(CUsbTransport::Send(kStartSession.data(), 12), CUsbTransport::kWriteError);
    bool has = true;
    DWORD length = 1;
    CUsbTransport::PeekPacket(has, length);
    EXPECT_FALSE(has);
    EXPECT_EQ(length, 0u);
    CUsbTransport::Close();
}

TEST_F(Transport, NoUnitPresentLeavesNoThreadEventOrList)
{
    unit.presentInterfaces = 0;
    EXPECT_FALSE(CUsbTransport::Open());
    EXPECT_FALSE(CUsbTransport::IsOpen());
    EXPECT_TRUE(ThreadsBecome(m_threads, 0));
    EXPECT_EQ(unit.OpenEvents(), 0);
    EXPECT_EQ(unit.OpenLists(), 0);
    EXPECT_EQ(unit.OpenDevices(), 0);
    EXPECT_EQ(unit.LastListFlags(), static_cast<DWORD>(DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    EXPECT_TRUE(unit.Written().empty());
}

TEST_F(Transport, OpenStartsTheThreadsAndAsksForASession)
{
    ASSERT_TRUE(CUsbTransport::Open());
    EXPECT_TRUE(CUsbTransport::IsOpen());
    EXPECT_EQ(unit.LastOpenAccess(), static_cast<DWORD>(GENERIC_READ | GENERIC_WRITE));
    EXPECT_EQ(unit.LastOpenShare(), 0u);
    EXPECT_EQ(unit.LastOpenFlags(), static_cast<DWORD>(FILE_FLAG_OVERLAPPED));
    EXPECT_EQ(unit.OpenLists(), 0);
    EXPECT_TRUE(ThreadsBecome(m_threads, 3));
    ASSERT_FALSE(unit.Written().empty());
    EXPECT_EQ(unit.Written()[0], kStartSession);

    CUsbTransport::Close();
    EXPECT_FALSE(CUsbTransport::IsOpen());
    EXPECT_TRUE(ThreadsBecome(m_threads, 0));
    EXPECT_EQ(unit.OpenEvents(), 0);
    EXPECT_EQ(unit.OpenDevices(), 0);
    CUsbTransport::Close();  // a second close does nothing
}

TEST_F(Transport, WholePacketsAreEndedByAZeroLengthWrite)
{
    OpenSession();
    struct Case { DWORD length; bool zeroLength; };
    for (Case c : {Case{64, true}, Case{128, true}, Case{12, false}, Case{100, false}}) {
        unit.ClearRecords();
        Bytes bytes(c.length, 0x33);
        EXPECT_EQ(CUsbTransport::Send(bytes.data(), c.length), CUsbTransport::kWriteDone);
        std::vector<Bytes> written = unit.Written();
        ASSERT_EQ(written.size(), c.zeroLength ? 2u : 1u) << c.length;
        EXPECT_EQ(written[0], bytes);
        if (c.zeroLength) {
            EXPECT_TRUE(written[1].empty());
        }
    }
}

TEST_F(Transport, UnknownPacketSizeWritesNoZeroLengthPacket)
{
    unit.bulkOutPacketSize = 0;
    OpenSession();
    Bytes bytes(64, 1);
    EXPECT_EQ(CUsbTransport::Send(bytes.data(), 64), CUsbTransport::kWriteDone);
    EXPECT_EQ(unit.Written().size(), 1u);
}

TEST_F(Transport, OperationsThatCompleteLaterAreWaitedFor)
{
    unit.packetSizeLater = true;
    unit.writes = SimulatedUnit::Writes::CompleteLater;
    OpenSession();
    Bytes bytes(128, 2);
    EXPECT_EQ(CUsbTransport::SendWithTimeout(bytes.data(), 128, 5000), CUsbTransport::kWriteDone);
    EXPECT_EQ(unit.Written().size(), 2u);
}

TEST_F(Transport, ApplicationPacketsBeforeTheSessionAreDropped)
{
    unit.answersSession = false;
    ASSERT_TRUE(CUsbTransport::Open());
    Bytes early = AppPacket(wire::kUnitId, U32(1));
    unit.SendInterrupt(early);
    unit.SendInterrupt(LinkPacket(wire::kSessionStarted));
    Bytes first = AppPacket(wire::kDateTime, Bytes(8, 7));
    Bytes second = AppPacket(wire::kProductData, U16(210) + U16(1) + Text("x"));
    Bytes third = AppPacket(wire::kCapacity, Bytes(12, 9));
    unit.SendInterrupt(first);
    unit.SendBulk(second);
    unit.SendInterrupt(third);
    ASSERT_TRUE(WaitForPacket());
    bool has = false;
    DWORD length = 0;
    CUsbTransport::PeekPacket(has, length);
    EXPECT_EQ(length, 8u + 12);  // the oldest is the first after the session started
    std::vector<Bytes> packets = CollectPackets(3);
    ASSERT_EQ(packets.size(), 3u);
    EXPECT_EQ(packets[0], first);
    // The bulk packet and the interrupt one may arrive in either order, each intact.
    EXPECT_TRUE((packets[1] == second && packets[2] == third) || (packets[1] == third && packets[2] == second));
}

TEST_F(Transport, DataAvailableBeforeTheSessionDoesNotWakeTheBulkReader)
{
    unit.answersSession = false;
    ASSERT_TRUE(CUsbTransport::Open());
    Bytes bulk = AppPacket(wire::kUnitId, U32(77));
    unit.SendBulk(bulk);
    unit.SendInterrupt(LinkPacket(wire::kSessionStarted));
    Bytes marker = AppPacket(wire::kDateTime, Bytes(8, 1));
    unit.SendInterrupt(marker);
    ASSERT_TRUE(WaitForPacket());
    EXPECT_EQ(unit.BulkReads(), 0);
    EXPECT_EQ(unit.UnreadBulkPackets(), 1u);
    EXPECT_EQ(TakeQueue(), std::vector<Bytes>{marker});

    // Announced once more during the session, the data is read.
    unit.SendInterrupt(LinkPacket(wire::kDataAvailable));
    EXPECT_EQ(CollectPackets(1), std::vector<Bytes>{bulk});
}

TEST_F(Transport, LongInterruptPacketsArriveWholeAndOversizedOnesAreDropped)
{
    OpenSession();
    // 100 bytes come as 64 + 36; 128 bytes as 64 + 64 and an empty piece; 4096 bytes are
    // the longest packet kept.
    Bytes hundred = AppPacket(wire::kExtProductData, Bytes(88, 'a'));
    Bytes whole = AppPacket(wire::kExtProductData, Bytes(116, 'b'));
    Bytes longest = AppPacket(wire::kExtProductData, Bytes(4096 - 12, 'c'));
    // One byte more, and a unit that sends 400 full pieces: both dropped up to their end,
    // and the packet after them arrives intact.
    Bytes tooLong = AppPacket(wire::kExtProductData, Bytes(4097 - 12, 'd'));
    Bytes endless = AppPacket(wire::kExtProductData, Bytes(400 * 64 + 1 - 12, 'e'));
    Bytes after = AppPacket(wire::kUnitId, U32(3));
    for (const Bytes* packet : {&hundred, &whole, &longest, &tooLong, &endless, &after})
        unit.SendInterrupt(*packet);
    EXPECT_EQ(CollectPackets(4), (std::vector<Bytes>{hundred, whole, longest, after}));
    EXPECT_TRUE(CUsbTransport::IsOpen());
}

TEST_F(Transport, WritesThatFailOrTimeOutReturnWithoutHanging)
{
    OpenSession();
    Bytes bytes(20, 5);
    unit.writes = SimulatedUnit::Writes::Fail;
    EXPECT_EQ(CUsbTransport::Send(bytes.data(), 20), CUsbTransport::kWriteError);
    unit.writes = SimulatedUnit::Writes::FailLater;
    EXPECT_EQ(CUsbTransport::Send(bytes.data(), 20), CUsbTransport::kWriteError);
    unit.writes = SimulatedUnit::Writes::Hang;
    DWORD start = GetTickCount();
    EXPECT_EQ(CUsbTransport::SendWithTimeout(bytes.data(), 20, 300), CUsbTransport::kWriteTimedOut);
    EXPECT_LT(GetTickCount() - start, 5000u);

    // The next send waits for the writer to give up the abandoned write, then goes out.
    unit.writes = SimulatedUnit::Writes::Complete;
    unit.ClearRecords();
    Bytes next(30, 6);
    EXPECT_EQ(CUsbTransport::SendWithTimeout(next.data(), 30, 5000), CUsbTransport::kWriteDone);
    ASSERT_EQ(unit.Written().size(), 1u);
    EXPECT_EQ(unit.Written()[0], next);
    EXPECT_EQ(CUsbTransport::Send(bytes.data(), 20), CUsbTransport::kWriteDone);
}

TEST_F(Transport, AFailedStartSessionLeavesTheLinkOpen)
{
    unit.writes = SimulatedUnit::Writes::Fail;
    EXPECT_FALSE(CUsbTransport::Open());
    EXPECT_TRUE(CUsbTransport::IsOpen());
    EXPECT_TRUE(ThreadsBecome(m_threads, 3));
    CUsbTransport::Close();
    EXPECT_TRUE(ThreadsBecome(m_threads, 0));
    EXPECT_EQ(unit.OpenEvents(), 0);
    EXPECT_EQ(unit.OpenDevices(), 0);
}

TEST_F(Transport, AStartSessionThatTimesOutGivesFalse)
{
    unit.writes = SimulatedUnit::Writes::Hang;
    DWORD start = GetTickCount();
    EXPECT_FALSE(CUsbTransport::Open());
    EXPECT_LT(GetTickCount() - start, 15000u);
    CUsbTransport::Close();
    EXPECT_TRUE(ThreadsBecome(m_threads, 0));
    EXPECT_EQ(unit.OpenEvents(), 0);
}

TEST_F(Transport, AUnitThatGoesAwayClosesTheLinkAndOpeningAgainReleasesTheRest)
{
    OpenSession();
    unit.Unplug();
    ASSERT_TRUE(WaitFor([] { return !CUsbTransport::IsOpen(); }));
    EXPECT_TRUE(ThreadsBecome(m_threads, 2));  // bulk reader and writer stay
    EXPECT_FALSE(CUsbTransport::Open());      // no unit: everything is released
    EXPECT_TRUE(ThreadsBecome(m_threads, 0));
    EXPECT_EQ(unit.OpenEvents(), 0);
    EXPECT_EQ(unit.OpenDevices(), 0);

    unit.PlugIn();
    OpenSession();
    unit.Unplug();
    ASSERT_TRUE(WaitFor([] { return !CUsbTransport::IsOpen(); }));
    unit.PlugIn();
    EXPECT_TRUE(CUsbTransport::Open());
    EXPECT_TRUE(ThreadsBecome(m_threads, 3));
    EXPECT_EQ(unit.OpenDevices(), 1);
}

TEST_F(Transport, PopCopiesNoMoreThanThereIsRoomForAndAnEmptyQueueGivesNothing)
{
    OpenSession();
    BYTE room[4] = {};
    EXPECT_EQ(CUsbTransport::PopPacket(room, sizeof(room)), 0u);
    Bytes packet = AppPacket(wire::kUnitId, U32(0x11223344));
    unit.SendInterrupt(packet);
    ASSERT_TRUE(WaitForPacket());
    EXPECT_EQ(CUsbTransport::PopPacket(room, sizeof(room)), 4u);
    EXPECT_EQ(Bytes(room, room + 4), Bytes(packet.begin(), packet.begin() + 4));
    EXPECT_TRUE(TakeQueue().empty());
}

TEST_F(Transport, DamagedPacketsAreDroppedOrCutToWhatArrived)
{
    OpenSession();
    // Shorter than a header, an unknown type, a link packet of another id.
    unit.SendInterrupt({20, 0, 0, 0, 38, 0});
    unit.SendInterrupt(PacketBytes(7, 38, U32(1)));
    unit.SendInterrupt(PacketBytes(0, 17, U32(1)));
    // A data size far beyond the bytes that came: kept with the size of what arrived.
    Bytes claims = AppPacket(wire::kUnitId, U32(5));
    claims[8] = 0xF0;
    claims[11] = 0xFF;
    unit.SendInterrupt(claims);
    // A data size smaller than the bytes that came: the packet ends at its size.
    Bytes shorter = AppPacket(wire::kDateTime, Bytes(8, 3));
    shorter[8] = 2;
    unit.SendBulk(shorter);
    std::vector<Bytes> packets = CollectPackets(2);
    ASSERT_EQ(packets.size(), 2u);
    Bytes expected = AppPacket(wire::kUnitId, U32(5));
    EXPECT_EQ(packets[0], expected);
    EXPECT_EQ(packets[1], AppPacket(wire::kDateTime, Bytes(2, 3)));
}

TEST_F(Transport, RandomPacketsNeverBreakTheLink)
{
    OpenSession();
    std::mt19937 random(20240611);
    size_t queued = 0;
    for (int round = 0; round < 300; ++round) {
        Bytes bytes(random() % 160);
        for (BYTE& b : bytes)
            b = static_cast<BYTE>(random());
        if (bytes.size() >= 12 && round % 3 == 0)
            bytes[0] = 20;  // often an application packet with a random size
        if (round % 2)
            unit.SendInterrupt(bytes);
        else
            unit.SendBulk(bytes);
        for (const Bytes& packet : TakeQueue()) {
            ++queued;
            ASSERT_GE(packet.size(), 12u);
            EXPECT_EQ(packet[0], 20);
            EXPECT_EQ(ReadU32(&packet[8]) + 12, packet.size());
        }
    }
    EXPECT_TRUE(CUsbTransport::IsOpen());
    // The link still carries packets after the noise.
    Bytes after = AppPacket(wire::kUnitId, U32(9));
    unit.SendInterrupt(after);
    EXPECT_TRUE(WaitFor([&] {
        for (const Bytes& packet : TakeQueue())
            if (packet == after)
                return true;
        return false;
    }));
    Bytes bytes(40, 1);
    EXPECT_EQ(CUsbTransport::SendWithTimeout(bytes.data(), 40, 5000), CUsbTransport::kWriteDone);
}

}  // namespace
