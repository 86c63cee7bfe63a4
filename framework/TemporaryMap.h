// Short-lived wrapper objects for handles that no object owns: FromHandle gives one
// wrapper per handle, and the application releases them all when it is idle.
#pragma once
#include <map>
#include <memory>

template <class Handle, class Object>
class TemporaryMap
{
public:
    // The wrapper of the handle, made by make() the first time it is asked for.
    template <class Make>
    Object* Get(Handle handle, Make make)
    {
        std::unique_ptr<Object>& wrapper = m_wrappers[handle];
        if (!wrapper)
            wrapper.reset(make());
        return wrapper.get();
    }
    void Remove(Handle handle) { m_wrappers.erase(handle); }
    template <class Visit>
    void Clear(Visit beforeDelete)
    {
        for (auto& entry : m_wrappers)
            beforeDelete(*entry.second);
        m_wrappers.clear();
    }
    void Clear() { m_wrappers.clear(); }

private:
    std::map<Handle, std::unique_ptr<Object>> m_wrappers;
};
