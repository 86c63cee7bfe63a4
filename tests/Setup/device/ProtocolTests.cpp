// Tests of the unit's commands against the simulated unit: the request packets byte for
// byte, each reply and its "none" result when it is missing, short or damaged, protocol
// names, map product records, version markers, the probes and their test-mode questions,
// the facades of CInstallActions and the packet listings.
#include "tests/Setup/actions/SetupTestSupport.h"
#include "tests/Setup/device/DeviceTestSupport.h"
#include "tests/Setup/device/SimulatedUnit.h"

#include "Setup/device/DeviceProtocol.h"
#include "Setup/device/UsbPacket.h"
#include "Setup/device/UsbTransport.h"
#include "framework/CTestHook.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// One map product record: id, unused fields, two 13-byte texts and the third text.
Bytes MapRecord(BYTE id, const std::string& first, const std::string& product, const std::string& third)
{
    Bytes record = {id, 0xEE, 0x11, 0x22, 1, 2, 3, 4};
    Bytes texts(26, 0);
    std::copy(first.begin(), first.begin() + std::min<size_t>(first.size(), 12), texts.begin());
    std::copy(product.begin(), product.begin() + std::min<size_t>(product.size(), 12), texts.begin() + 13);
    return record + texts + Text(third);
}

Bytes Request(WORD id, const Bytes& data = {})
{
    return AppPacket(id, data);
}

Bytes CommandRequest(uint16_t command)
{
    return AppPacket(wire::kCommand, U16(command));
}

class Protocol : public ::testing::Test
{
protected:
    // The application packets the unit received.
    std::vector<Bytes> Requests() const { return unit.Requests(); }

    Watchdog m_watchdog{120000};
    SimulatedUnit unit;
};

TEST_F(Protocol, UnitIdRequestAndReply)
{
    DWORD id = 0;
    EXPECT_TRUE(CDeviceProtocol::GetUnitId(id));
    EXPECT_EQ(id, 0x00BC614Eu);
    EXPECT_EQ(Requests(), std::vector<Bytes>{Bytes({20, 0, 0, 0, 10, 0, 0, 0, 2, 0, 0, 0, 14, 0})});
    EXPECT_TRUE(CUsbTransport::IsOpen());  // the first command opened the link

    unit.unitId = 0;
    EXPECT_FALSE(CDeviceProtocol::GetUnitId(id));
    EXPECT_EQ(id, 0u);
    EXPECT_EQ(CInstallActions::GetUnitId(), 0u);
    unit.unitId = 42;
    EXPECT_EQ(CInstallActions::GetUnitId(), 42u);
}

TEST_F(Protocol, ShortOrMissingRepliesGiveTheNoneResults)
{
    unit.answer = [](const UnitPacket& request) {
        std::vector<Bytes> replies;
        if (request.id == wire::kCommand)
            replies.push_back(AppPacket(wire::kUnitId, {1, 2, 3}));
        if (request.id == wire::kProductRequest)
            replies.push_back(AppPacket(wire::kProductData, {1}));
        return replies;
    };
    DWORD id = 7;
    EXPECT_FALSE(CDeviceProtocol::GetUnitId(id));
    EXPECT_EQ(id, 0u);

    // The first matching reply ends the search, long enough or not; the rest stay queued.
    unit.answer = [](const UnitPacket&) {
        return std::vector<Bytes>{AppPacket(wire::kUnitId, {1, 2, 3}), AppPacket(wire::kUnitId, U32(5))};
    };
    EXPECT_FALSE(CDeviceProtocol::GetUnitId(id));
    unit.answer = [](const UnitPacket&) { return std::vector<Bytes>(); };
    EXPECT_TRUE(CDeviceProtocol::GetUnitId(id));
    EXPECT_EQ(id, 5u);
    unit.answer = [](const UnitPacket& request) {
        std::vector<Bytes> replies;
        if (request.id == wire::kProductRequest)
            replies.push_back(AppPacket(wire::kProductData, {1}));
        return replies;
    };
    EXPECT_EQ(CDeviceProtocol::GetDeviceDateTime(), L"");  // no reply
    EXPECT_EQ(CDeviceProtocol::GetProductId(), 0);
    unit.answer = [](const UnitPacket&) { return std::vector<Bytes>(); };
    EXPECT_EQ(CDeviceProtocol::GetSoftwareVersion(), 0);
    std::vector<CString> names = {L"x"};
    CDeviceProtocol::GetProtocolList(names);
    EXPECT_TRUE(names.empty());
}

TEST_F(Protocol, NoUnitMeansNothingIsSent)
{
    unit.presentInterfaces = 0;
    DWORD id = 5;
    EXPECT_FALSE(CDeviceProtocol::GetUnitId(id));
    EXPECT_EQ(id, 0u);
    EXPECT_FALSE(CDeviceProtocol::SupportsProtocol(L"A010"));
    EXPECT_EQ(CDeviceProtocol::GetStorageSize(0), 0u);
    CString part = L"p", product = L"t";
    EXPECT_FALSE(CDeviceProtocol::GetMapProductRecord(0, part, product));
    EXPECT_TRUE(part.IsEmpty() && product.IsEmpty());
    EXPECT_EQ(CDeviceProtocol::GetMapSetVersion(), L"");
    EXPECT_TRUE(unit.Written().empty());
    EXPECT_FALSE(CUsbTransport::IsOpen());
    // The programmer ports were probed, "\\.\zelq1200-0" to "-14".
    std::vector<std::wstring> probed = unit.ProbedPorts();
    ASSERT_GE(probed.size(), 15u);
    EXPECT_EQ(probed[0], L"\\\\.\\zelq1200-0");
    EXPECT_EQ(probed[14], L"\\\\.\\zelq1200-14");
}

TEST_F(Protocol, DateAndTimeText)
{
    EXPECT_EQ(CDeviceProtocol::GetDeviceDateTime(), L"07/14/2009 13:05:09");
    EXPECT_EQ(Requests().back(), CommandRequest(5));
    unit.dateTime = {1, 2, 0x05, 0x00, 0xFF, 0xFF, 59, 200};
    EXPECT_EQ(CInstallActions::GetDeviceDateTime(), L"01/02/0005 -1:59:200");
    unit.dateTime = {1, 2, 3, 4, 5, 6, 7};  // seven bytes are too few
    EXPECT_EQ(CDeviceProtocol::GetDeviceDateTime(), L"");
}

TEST_F(Protocol, ProductDataOfFourBytesHasIdAndVersionButNoStrings)
{
    unit.productStrings.clear();
    EXPECT_EQ(CDeviceProtocol::GetProductId(), 210);
    EXPECT_EQ(Requests().back(), Bytes({20, 0, 0, 0, 254, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(CInstallActions::GetSoftwareVersion(), 310);
    std::vector<CString> strings = {L"old"};
    CDeviceProtocol::GetProductStrings(strings);
    EXPECT_TRUE(strings.empty());
}

TEST_F(Protocol, ProductStringsAndExtendedStrings)
{
    // The last string lacks its own zero: it ends with the data.
    unit.answer = [](const UnitPacket&) {
        return std::vector<Bytes>{
            AppPacket(wire::kProductData, U16(404) + U16(250) + Text("first") + Text("") + Bytes{'l', 'a', 's', 't'}),
            AppPacket(wire::kExtProductData, Text("ext one") + Text("ext two"))};
    };
    std::vector<CString> strings;
    CInstallActions::GetProductStrings(strings);
    EXPECT_EQ(strings, (std::vector<CString>{L"first", L"", L"last"}));
    CInstallActions::GetExtProductStrings(strings);
    EXPECT_EQ(strings, (std::vector<CString>{L"ext one", L"ext two"}));
    EXPECT_TRUE(CInstallActions::IsProduct210Or404());
}

TEST_F(Protocol, ProtocolNamesAndTheirSupport)
{
    unit.protocols = {{'A', 10}, {'D', 918}, {'L', 1}};
    std::vector<CString> names;
    CDeviceProtocol::GetProtocolList(names);
    EXPECT_EQ(names, (std::vector<CString>{L"A010", L"D918", L"L001"}));
    EXPECT_TRUE(CDeviceProtocol::SupportsProtocol(L"a010"));
    EXPECT_TRUE(CInstallActions::SupportsProtocol("d918"));
    EXPECT_FALSE(CDeviceProtocol::SupportsProtocol(L"A918"));
    EXPECT_FALSE(CInstallActions::SupportsA900());
    unit.protocols = {{'A', 900}, {'A', 907}};
    EXPECT_TRUE(CInstallActions::SupportsA900());
    EXPECT_TRUE(CInstallActions::SupportsA907());

    // A trailing partial entry is not read.
    unit.answer = [](const UnitPacket&) {
        return std::vector<Bytes>{AppPacket(wire::kProtocolArray, Bytes{'A', 10, 0, 'B', 20})};
    };
    CInstallActions::GetProtocolList(names);
    EXPECT_EQ(names, std::vector<CString>{L"A010"});
}

TEST_F(Protocol, SupportsA916ClosesTheLink)
{
    unit.protocols.push_back({'A', 916});
    EXPECT_TRUE(CDeviceProtocol::SupportsA916());
    EXPECT_FALSE(CUsbTransport::IsOpen());
    EXPECT_EQ(unit.OpenDevices(), 0);
    unit.protocols = {{'A', 10}};
    EXPECT_FALSE(CDeviceProtocol::SupportsA916());
    EXPECT_FALSE(CUsbTransport::IsOpen());
}

TEST_F(Protocol, StorageSizeOfASlot)
{
    unit.storageSizes = {{0, 0x123456789ull}, {2, 77}};
    EXPECT_EQ(CDeviceProtocol::GetStorageSize(0), 0x123456789ull);
    EXPECT_EQ(Requests().back(), Bytes({20, 0, 0, 0, 0xD4, 0x03, 0, 0, 1, 0, 0, 0, 0}));
    EXPECT_EQ(CInstallActions::GetStorageSize(2), 77u);
    EXPECT_EQ(Requests().back(), Request(wire::kStorageSizeRequest, {2}));

    // A reply for another slot gives 0.
    unit.answer = [this](const UnitPacket& request) {
        if (request.id == wire::kStorageSizeRequest)
            return std::vector<Bytes>{AppPacket(wire::kStorageSize, U32(5) + U32(0) + Bytes{3})};
        return unit.Firmware(request);
    };
    EXPECT_EQ(CDeviceProtocol::GetStorageSize(4), 0u);

    // Without "A908" nothing but the product request is sent.
    unit.answer = nullptr;
    unit.protocols = {{'A', 10}};
    unit.ClearRecords();
    EXPECT_EQ(CDeviceProtocol::GetStorageSize(0), 0u);
    EXPECT_EQ(Requests(), std::vector<Bytes>{Request(wire::kProductRequest)});
}

TEST_F(Protocol, ControlCommandsNeedTheirProtocol)
{
    CDeviceProtocol::AbortTransfer();
    CInstallActions::TurnOffPower();
    EXPECT_TRUE(CDeviceProtocol::SendA919Command());
    std::vector<Bytes> requests = Requests();
    ASSERT_EQ(requests.size(), 6u);
    EXPECT_EQ(requests[1], CommandRequest(0));
    EXPECT_EQ(requests[3], CommandRequest(8));
    EXPECT_EQ(requests[5], CommandRequest(53));

    unit.protocols = {{'A', 918}};
    unit.ClearRecords();
    CInstallActions::AbortTransfer();
    CDeviceProtocol::TurnOffPower();
    EXPECT_FALSE(CDeviceProtocol::SendA919Command());
    EXPECT_EQ(Requests(), std::vector<Bytes>(3, Request(wire::kProductRequest)));
}

TEST_F(Protocol, MemoryCapacity)
{
    WORD a = 0, b = 0;
    DWORD c = 0;
    EXPECT_EQ(CInstallActions::GetMemoryCapacity(a, b, c), 0x40000u);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 2);
    EXPECT_EQ(c, 0x30000u);
    EXPECT_EQ(Requests().back(), CommandRequest(63));

    // Eleven bytes are too few; the outputs stay as they were.
    unit.capacity.resize(11);
    a = 9;
    EXPECT_EQ(CDeviceProtocol::GetMemoryCapacity(a, b, c), 0u);
    EXPECT_EQ(a, 9);
}

TEST_F(Protocol, MapProductRecords)
{
    unit.mapRecords = MapRecord(49, "first", "010-12345-00", "EUROPE ") + MapRecord(77, "", "010-ABCDE", "  ") +
                      MapRecord(3, "x", "short", "named");
    CString part, product;
    EXPECT_TRUE(CDeviceProtocol::GetMapProductRecord(49, part, product));
    EXPECT_EQ(product, L"010-12345-00");
    EXPECT_EQ(part, L"12345");
    EXPECT_EQ(Requests().back(), CommandRequest(151));
    // Id 0 takes the first record whose third text is blank.
    EXPECT_TRUE(CDeviceProtocol::GetMapProductRecord(0, part, product));
    EXPECT_EQ(product, L"010-ABCDE");
    EXPECT_EQ(part, L"ABCDE");
    // A product text of 8 characters or fewer has no part number.
    EXPECT_TRUE(CDeviceProtocol::GetMapProductRecord(3, part, product));
    EXPECT_EQ(product, L"short");
    EXPECT_EQ(part, L"");
    EXPECT_FALSE(CDeviceProtocol::GetMapProductRecord(8, part, product));
    EXPECT_TRUE(part.IsEmpty() && product.IsEmpty());

    // Fewer than 30 bytes, and a unit without "D918".
    unit.mapRecords.resize(29);
    EXPECT_FALSE(CDeviceProtocol::GetMapProductRecord(49, part, product));
    unit.mapRecords = MapRecord(49, "first", "010-12345-00", "");
    unit.protocols = {{'A', 918}};
    unit.ClearRecords();
    EXPECT_FALSE(CDeviceProtocol::GetMapProductRecord(49, part, product));
    EXPECT_EQ(Requests().size(), 2u);
}

TEST_F(Protocol, DamagedMapRecordsAreReadWithinTheirBytes)
{
    // Texts without their zeros, a record cut short, and texts running to the data's end.
    Bytes noZeros(34, 'Z');
    noZeros[0] = 5;
    unit.mapRecords = noZeros + Bytes{6, 'Q'};
    CString part, product;
    EXPECT_TRUE(CDeviceProtocol::GetMapProductRecord(5, part, product));
    EXPECT_EQ(product, L"ZZZZZZZZZZZZZ");  // the second text ends after its 13 bytes
    EXPECT_EQ(part, L"ZZZZZ");
    EXPECT_FALSE(CDeviceProtocol::GetMapProductRecord(6, part, product));  // the record ended inside the third text

    unit.mapRecords = Bytes(30, 0);
    unit.mapRecords[0] = 9;
    EXPECT_TRUE(CDeviceProtocol::GetMapProductRecord(9, part, product));
    EXPECT_EQ(product, L"");
}

TEST_F(Protocol, VersionMarkersInTheProductStrings)
{
    unit.productStrings = {"Sorvane", "VERSMAP 3.10"};
    unit.extStrings = {"VERGPROM 2.60 VERGPROM "};
    EXPECT_EQ(CDeviceProtocol::GetMapSetVersion(), L"3.10");
    EXPECT_EQ(CInstallActions::GetCardImageVersion(), L"2.60 ");  // every marker is removed
    // The unit answers a product request with three packets, and the replies a command
    // leaves queued are found by the next one: a new link forgets them.
    unit.productStrings = {"versmap 1.00"};
    unit.extStrings = {"VERSMAP 4.20"};
    CDeviceProtocol::CloseLink();
    EXPECT_EQ(CInstallActions::GetMapSetVersion(), L"4.20");
    unit.extStrings.clear();
    CDeviceProtocol::CloseLink();
    EXPECT_EQ(CDeviceProtocol::GetMapSetVersion(), L"");
}

TEST_F(Protocol, LateRepliesAreDiscardedUnlessTheyMatch)
{
    // A reply that comes after the pause stays queued for the next command's search.
    unit.SendInterrupt(AppPacket(wire::kDateTime, Bytes(8, 1)));  // before the link is open: lost
    DWORD id = 0;
    EXPECT_TRUE(CDeviceProtocol::GetUnitId(id));
    unit.SendBulk(AppPacket(wire::kUnitId, U32(99)));
    unit.SendBulk(AppPacket(wire::kDateTime, {1, 1, 0xD0, 0x07, 0, 0, 0, 0}));
    ASSERT_TRUE(WaitFor([] {
        bool has = false;
        DWORD length = 0;
        CUsbTransport::PeekPacket(has, length);
        return has;
    }));
    Sleep(200);
    unit.answer = [](const UnitPacket&) { return std::vector<Bytes>(); };
    // The stale unit id is discarded; the stale date matches.
    EXPECT_EQ(CDeviceProtocol::GetDeviceDateTime(), L"01/01/2000 00:00:00");
}

TEST_F(Protocol, RepliesOnTheInterruptPipeUpToTheLongestPacket)
{
    unit.repliesOnInterrupt = true;
    std::string longText(4000, 'w');
    unit.extStrings = {longText, "VERGPROM 9"};
    std::vector<CString> strings;
    CDeviceProtocol::GetExtProductStrings(strings);
    ASSERT_EQ(strings.size(), 2u);
    EXPECT_EQ(strings[0].GetLength(), 4000);
    EXPECT_EQ(strings[1], L"VERGPROM 9");
}

TEST_F(Protocol, RandomRepliesNeverBreakTheCommands)
{
    // The reply a command looks for comes too short for it, with a random data size field
    // (the link keeps only what arrived), among random packets of other ids and of an
    // unknown type. Gated commands see their protocols, so each sends its request.
    std::mt19937 random(7);
    WORD garbled = 0;
    size_t room = 1;  // the data bytes the command needs
    unit.answer = [&](const UnitPacket& request) {
        std::vector<Bytes> replies;
        auto randomData = [&](size_t limit) {
            Bytes data(random() % limit);
            for (BYTE& b : data)
                b = static_cast<BYTE>(random());
            return data;
        };
        // Packets of other ids come first; an id some command looks for comes with an unknown type.
        if (request.id == wire::kProductRequest && garbled != wire::kProtocolArray)
            replies.push_back(AppPacket(wire::kProtocolArray, Bytes{'A', 10, 0, 'A', 0x8C, 3, 'A', 0x96, 3, 'D', 0x96, 3}));
        const WORD replyIds[] = {14, 38, 95, 247, 248, 253, 255, 981};
        for (int noise = random() % 3; noise > 0; --noise) {
            WORD other = static_cast<WORD>(random() % 1000);
            bool known = std::find(std::begin(replyIds), std::end(replyIds), other) != std::end(replyIds);
            replies.push_back(known ? PacketBytes(7, other, randomData(40)) : AppPacket(other, randomData(40)));
        }
        Bytes reply = AppPacket(garbled, randomData(room));
        reply[8] = static_cast<BYTE>(random());
        reply[9] = static_cast<BYTE>(random());
        replies.push_back(reply);
        return replies;
    };
    struct Case { WORD reply; size_t room; std::function<bool()> failed; };
    const Case cases[] = {
        {38, 4, [] { DWORD id = 7; return !CDeviceProtocol::GetUnitId(id) && id == 0; }},
        {14, 8, [] { return CDeviceProtocol::GetDeviceDateTime().IsEmpty(); }},
        {255, 2, [] { return CDeviceProtocol::GetProductId() == 0; }},
        {255, 4, [] { return CDeviceProtocol::GetSoftwareVersion() == 0; }},
        {255, 5, [] { std::vector<CString> list = {L"x"}; CDeviceProtocol::GetProductStrings(list); return list.empty(); }},
        {248, 1, [] { std::vector<CString> list = {L"x"}; CDeviceProtocol::GetExtProductStrings(list); return list.empty(); }},
        {253, 3, [] { std::vector<CString> list = {L"x"}; CDeviceProtocol::GetProtocolList(list); return list.empty(); }},
        {981, 9, [] { return CDeviceProtocol::GetStorageSize(1) == 0; }},
        {95, 12, [] {
             WORD a = 1, b = 2;
             DWORD c = 3;
             return CDeviceProtocol::GetMemoryCapacity(a, b, c) == 0 && a == 1 && b == 2 && c == 3;
         }},
        {247, 30, [] {
             CString part = L"p", product = L"t";
             return !CDeviceProtocol::GetMapProductRecord(0, part, product) && part.IsEmpty() && product.IsEmpty();
         }}};
    for (int round = 0; round < 3; ++round) {
        for (const Case& c : cases) {
            garbled = c.reply;
            room = c.room;
            EXPECT_TRUE(c.failed()) << "reply " << c.reply << " shorter than " << c.room;
            EXPECT_TRUE(CUsbTransport::IsOpen()) << "reply " << c.reply;
        }
    }
    // Every command sent its request, the gated ones after their protocol checks (one for
    // the storage size and the memory capacity, two for the map records).
    EXPECT_EQ(unit.Requests().size(), 3u * (std::size(cases) + 4));
}

TEST_F(Protocol, EachRequestIsFollowedByTheHalfSecondPause)
{
    unit.realPauses = true;
    DWORD start = GetTickCount();
    DWORD id = 0;
    EXPECT_TRUE(CDeviceProtocol::GetUnitId(id));
    // The tick count moves in steps of up to a few tens of milliseconds.
    EXPECT_GE(GetTickCount() - start, 450u);
    EXPECT_EQ(unit.Pauses(), std::vector<DWORD>{500});
}

TEST_F(Protocol, ConnectedDevicesAndProgrammerProbes)
{
    unit.presentInterfaces = 2;
    unit.registeredInterfaces = 3;
    EXPECT_EQ(CDeviceProtocol::CountConnectedDevices(), 2);
    unit.cardProgrammerPort = 3;
    unit.aviationProgrammerPort = 14;
    EXPECT_EQ(CInstallActions::CountConnectedDevices(), 4);
    EXPECT_EQ(unit.OpenPorts(), 0);
    EXPECT_EQ(unit.OpenLists(), 0);

    unit.ClearRecords();
    EXPECT_TRUE(CDeviceProtocol::ProbeCardProgrammer());
    EXPECT_EQ(unit.ProbedPorts(), (std::vector<std::wstring>{L"\\\\.\\zelq1200-0", L"\\\\.\\zelq1200-1",
                                                             L"\\\\.\\zelq1200-2", L"\\\\.\\zelq1200-3"}));
    unit.ClearRecords();
    EXPECT_TRUE(CDeviceProtocol::ProbeAviationCardProgrammer());
    EXPECT_EQ(unit.ProbedPorts().size(), 15u);
    unit.aviationProgrammerPort = -1;
    EXPECT_FALSE(CDeviceProtocol::ProbeAviationCardProgrammer());

    // Without a unit interface a card programmer still counts as connected.
    unit.presentInterfaces = 0;
    EXPECT_TRUE(CDeviceProtocol::IsUnitConnected());
    unit.cardProgrammerPort = -1;
    EXPECT_FALSE(CDeviceProtocol::IsUnitConnected());
}

TEST(ProtocolRealDevices, NothingIsConnectedInTheTestPrefix)
{
    EXPECT_FALSE(CDeviceProtocol::IsUnitConnected());
    EXPECT_FALSE(CDeviceProtocol::ProbeAviationCardProgrammer());
    EXPECT_EQ(CDeviceProtocol::CountConnectedDevices(), 0);
    DWORD id = 1;
    EXPECT_FALSE(CDeviceProtocol::GetUnitId(id));
    EXPECT_FALSE(CUsbTransport::IsOpen());
}

class TestMode : public Protocol
{
protected:
    TestModeOn m_testMode;
    CTestHook hook;
};

TEST_F(TestMode, TheTesterAnswersInsteadOfTheProbes)
{
    hook.AnswerMessageBox(IDNO);
    EXPECT_FALSE(CDeviceProtocol::IsUnitConnected());  // although a unit is there
    hook.AnswerMessageBox(IDYES);
    unit.presentInterfaces = 0;
    EXPECT_TRUE(CDeviceProtocol::IsUnitConnected());
    hook.AnswerMessageBox(IDYES);
    EXPECT_TRUE(CDeviceProtocol::ProbeCardProgrammer());
    hook.AnswerMessageBox(IDNO);
    EXPECT_FALSE(CDeviceProtocol::ProbeAviationCardProgrammer());
    EXPECT_TRUE(unit.ProbedPorts().empty());
    ASSERT_EQ(hook.Log().size(), 4u);
    EXPECT_EQ(hook.Log()[0].text, L"Is GPS unit plugged in?");
    EXPECT_EQ(hook.Log()[1].text, L"Is GPS unit plugged in?");
    EXPECT_EQ(hook.Log()[2].text, L"Is unit plugged in?");
    EXPECT_EQ(hook.Log()[3].text, L"Is unit plugged in?");
    EXPECT_EQ(hook.Log()[3].style & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));

    // A command asks first and sends nothing on No.
    hook.AnswerMessageBox(IDNO);
    DWORD id = 3;
    EXPECT_FALSE(CDeviceProtocol::GetUnitId(id));
    EXPECT_TRUE(unit.Written().empty());
    EXPECT_EQ(hook.Unanswered(), 0u);
}

TEST(PacketListing, PrintsHeaderAndDataBytes)
{
    CUsbPacket packet(PacketType::Application, 38, "\x01\xAB\x00\xFF", 4);
    ::testing::internal::CaptureStdout();
    CInstallActions::PrintPacketData(packet, 2);
    CInstallActions::PrintPacketData(packet, 5);  // more than the data: nothing
    CInstallActions::PrintPacket(packet);
    std::string dashes(55, '-');
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "01 AB \n" + dashes + "\nPacket Type = 20\nPacket ID = 38\nPacket Size = 4\nPacket Data = 01 AB 00 FF \n" +
                  dashes + "\n");
}

}  // namespace
