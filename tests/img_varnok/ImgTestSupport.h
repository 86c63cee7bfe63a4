// Helpers of the disk-image library's tests: a temporary folder, whole-file
// bytes, expected failures and Windows file calls made to fail.
#pragma once

#include "img_varnok/IMG_Exception.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A fresh folder under the temporary folder, removed with everything in it.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    std::string Path(const std::string& name) const { return folder + "\\" + name; }

private:
    std::string folder;
};

std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
// Bytes that differ from block to block and from seed to seed.
std::vector<uint8_t> Pattern(size_t count, uint32_t seed);
uint32_t SumOf(const std::vector<uint8_t>& bytes);
std::vector<uint8_t> Xored(std::vector<uint8_t> bytes);

// Whether the call raises IMG_Exception from that unit, line and code.
template <class Call>
::testing::AssertionResult Raises(Call call, const char* unit, int line, int code)
{
    try
    {
        call();
    }
    catch (const IMG_Exception& e)
    {
        if (std::string(e.GetFile()) == unit && e.GetLine() == line && e.GetCode() == code)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "raised " << e.GetFile() << " " << e.GetLine() << " code "
                                             << e.GetCode();
    }
    return ::testing::AssertionFailure() << "nothing raised";
}

// Makes the nth call (from 1) of one Windows file call fail with the error,
// while the object lives.
class FailingCall
{
public:
    enum Which { Size, Seek, Read, Write };
    FailingCall(Which which, int nth, DWORD error = ERROR_IO_DEVICE);
    ~FailingCall();
};
