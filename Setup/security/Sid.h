// CSid: owns one security identifier, either a well-known account's (allocated by the
// system) or a buffer of its own for an account lookup.
#pragma once

#include <windows.h>

class CSid
{
public:
    // The well-known accounts; any other number gives an empty CSid.
    enum WellKnown {
        kNull = 0, kEveryone = 1, kCreatorOwner = 2, kCreatorGroup = 3, kInteractive = 4,
        kUsers = 5, kAdministrators = 6, kGuests = 7, kPowerUsers = 8
    };

    CSid() = default;
    explicit CSid(int wellKnown);
    virtual ~CSid();
    CSid(const CSid&) = delete;
    CSid& operator=(const CSid&) = delete;

    bool AllocWellKnown(BYTE authority, BYTE count, DWORD sub0 = 0, DWORD sub1 = 0);
    void Alloc(DWORD size);
    // Takes a buffer from malloc (released with free); the recorded size stays.
    void Attach(PSID buffer);
    BOOL LookupAccount(const wchar_t* system, const wchar_t* account, wchar_t* domain, DWORD& domainLength,
                       SID_NAME_USE& use);
    void Free();

    PSID Get() const { return m_sid; }
    bool IsEmpty() const { return m_sid == nullptr; }
    DWORD Size() const { return m_size; }

private:
    PSID m_sid = nullptr;
    DWORD m_size = 0;
    bool m_allocatedBySystem = false;
};
