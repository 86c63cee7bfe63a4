// The root of the framework's classes, and run-time class information: a class
// declared dynamic can tell its name and base at run time (IsKindOf), and a class
// declared dyncreate can also be created from its CRuntimeClass (CreateObject),
// which is how document templates and splitters make documents, frames and views.
#pragma once
#include <windows.h>
#include <tchar.h>

class CObject;

struct CRuntimeClass
{
    LPCSTR m_lpszClassName;
    CObject* (*m_pfnCreateObject)();   // null unless the class is dyncreate
    CRuntimeClass* (*m_pfnGetBaseClass)();

    CObject* CreateObject() const;     // null when the class cannot be created
    bool IsDerivedFrom(const CRuntimeClass* base) const;
};

class CObject
{
public:
    virtual ~CObject() = default;
    virtual CRuntimeClass* GetRuntimeClass() const;
    bool IsKindOf(const CRuntimeClass* cls) const;
    static CRuntimeClass* GetThisClass();

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name) \
public: \
    static CRuntimeClass* GetThisClass(); \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* CreateObject();

#define AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_name, create) \
    CRuntimeClass* class_name::GetThisClass() \
    { \
        static CRuntimeClass info = { #class_name, create, &base_name::GetThisClass }; \
        return &info; \
    } \
    CRuntimeClass* class_name::GetRuntimeClass() const { return class_name::GetThisClass(); }

#define IMPLEMENT_DYNAMIC(class_name, base_name) \
    AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_name, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_name) \
    CObject* class_name::CreateObject() { return new class_name; } \
    AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_name, &class_name::CreateObject)
