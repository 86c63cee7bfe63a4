// Stands in for msiexec beside the installer tests: writes its command line to the file
// named by SETUP_TEST_MSIEXEC_LOG and ends with the code in SETUP_TEST_MSIEXEC_EXIT.
#include <windows.h>
#include <cstdio>
#include <cstdlib>

int main()
{
    wchar_t log[MAX_PATH] = L"";
    if (GetEnvironmentVariableW(L"SETUP_TEST_MSIEXEC_LOG", log, MAX_PATH) > 0) {
        if (FILE* file = _wfopen(log, L"wb")) {
            const wchar_t* line = GetCommandLineW();
            fwrite(line, sizeof(wchar_t), wcslen(line), file);
            fclose(file);
        }
    }
    wchar_t code[16] = L"";
    if (GetEnvironmentVariableW(L"SETUP_TEST_MSIEXEC_EXIT", code, 16) == 0)
        return 1603;
    return _wtoi(code);
}
