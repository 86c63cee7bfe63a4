// Run-time class information of the framework's root class.
#include "framework/CObject.h"

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const
{
    for (const CRuntimeClass* cls = this; cls; cls = cls->m_pfnGetBaseClass ? cls->m_pfnGetBaseClass() : nullptr) {
        if (cls == base)
            return true;
    }
    return false;
}

CRuntimeClass* CObject::GetThisClass()
{
    static CRuntimeClass info = { "CObject", nullptr, nullptr };
    return &info;
}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return GetThisClass();
}

bool CObject::IsKindOf(const CRuntimeClass* cls) const
{
    return GetRuntimeClass()->IsDerivedFrom(cls);
}
