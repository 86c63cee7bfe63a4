// IMG_Exception: the message table and the display text.
#include "img_varnok/IMG_Exception.h"

#include <windows.h>

namespace
{
const char* const messages[IMG_Exception::CodeCount] = {
    "append_bytes call failed",
    "Assertion failed",
    "Block size power was outside range 0-15",
    "Directory extensions records were missing",
    "The disk image being opened did not have a valid header",
    "Number of directory blocks wasn't in range 1-240",
    "File had size of zero",
    "Attempt to read past end of file",
    "Error closing file",
    "Error opening file",
    "Error reading from file",
    "Error seeking in file",
    "Error getting file position",
    "Error writing to file",
    "Invalid block referenced in directory",
    "The max size passed in was out of range",
    "Max file size is not large enough to accomodate the new file",
    "make_img call failed",
    "No Error",
    "Not enough free directory entries for the new file",
    "No disk image file loaded",
    "No disk images to combine",
    "No files found matching that name",
    "Not enough free data blocks for the new file",
    "Unexpected NULL pointer",
    "Image file requires more directory blocks",
    "Operation Not Available in Read From Disk Mode",
    "Out of Memory",
    "update_chksum call failed",
    "A block was referenced that does not exist in the allocation table",
    "Unable to use the specified block, already in use",
    "Unable to free the specified block, not currently in use",
    "Invalid file object referenced",
    "Unable to determine the file size",
    "Unable to delete file",
    "Unable to rename file",
    "Attempt to load an image but image name was not specified",
    "An invalid image size was specified",
    "Found a duplicate file while attempting to save the image",
};

std::string SystemText(DWORD error)
{
    char* text = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result(text ? text : "", length);
    LocalFree(text);
    while (!result.empty() && (result.back() == '\r' || result.back() == '\n' || result.back() == ' '))
        result.pop_back();
    return result;
}
}

IMG_Exception::IMG_Exception(const char* file, int32_t line, int32_t code, uint32_t osError)
    : code(code), line(line), file(file), osError(osError)
{
}

const char* IMG_Exception::what() const noexcept
{
    // Only the library's own codes are ever raised; anything else reads as a broken rule.
    return messages[code >= 0 && code < CodeCount ? code : AssertionFailed];
}

std::string IMG_Exception::GetDisplayText() const
{
    std::string text = what();
    if (osError != 0)
        text += "\n\n[ErrCode: " + std::to_string(osError) + "] - " + SystemText(osError);
    return text;
}
