// Runtime class records, message maps and command routing: what every
// framework object that handles messages or commands is built on.
#pragma once
#include "lumiwin.h"

#define ID_HELP 0xE146

class CObject;
class CCmdTarget;

// Runtime class records: a class name, a base, and for dynamically creatable
// classes a function that makes an object with the default constructor.
struct CRuntimeClass {
  const char* m_lpszClassName;
  int m_nObjectSize;
  CObject* (*m_pfnCreateObject)();
  const CRuntimeClass* m_pBaseClass;
  CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
  bool IsDerivedFrom(const CRuntimeClass* base) const;
};

class CObject {
 public:
  virtual ~CObject() = default;
  static const CRuntimeClass classCObject;
  virtual const CRuntimeClass* GetRuntimeClass() const { return &classCObject; }
  bool IsKindOf(const CRuntimeClass* c) const { return GetRuntimeClass()->IsDerivedFrom(c); }
};

#define RUNTIME_CLASS(c) (&c::class##c)
#define DECLARE_DYNAMIC(c)             \
 public:                               \
  static const CRuntimeClass class##c; \
  const CRuntimeClass* GetRuntimeClass() const override;
#define DECLARE_DYNCREATE(c) \
  DECLARE_DYNAMIC(c)         \
  static CObject* CreateObject();
#define IMPLEMENT_DYNAMIC(c, base)                                                                   \
  const CRuntimeClass c::class##c = {#c, static_cast<int>(sizeof(c)), nullptr, RUNTIME_CLASS(base)}; \
  const CRuntimeClass* c::GetRuntimeClass() const { return &c::class##c; }
#define IMPLEMENT_DYNCREATE(c, base)                                                                         \
  CObject* c::CreateObject() { return new c; } /* NOLINT(bugprone-macro-parentheses): a type */              \
  const CRuntimeClass c::class##c = {#c, static_cast<int>(sizeof(c)), c::CreateObject, RUNTIME_CLASS(base)}; \
  const CRuntimeClass* c::GetRuntimeClass() const { return &c::class##c; }

// Message maps. An entry names a message (or, for WM_COMMAND, a command id
// and notification code) and a thunk that calls the handler of the class
// that lists it; a class's map chains to its base class's map.
typedef LRESULT (*AFX_PMSG)(CCmdTarget* target, UINT msg, WPARAM w, LPARAM l);
struct AFX_MSGMAP_ENTRY {
  UINT nMessage;
  UINT nCode;
  UINT nID;
  AFX_PMSG pfn;
};
struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};
// Stands for the seven WM_CTLCOLOR* messages in an entry.
constexpr UINT kAfxCtlColor = 0xFFFF0001u;

#define DECLARE_MESSAGE_MAP()                   \
 protected:                                     \
  static const AFX_MSGMAP* GetThisMessageMap(); \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                      \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                 \
    using ThisClass [[maybe_unused]] = theClass;                                    \
    using TheBaseClass = baseClass;                                                 \
    static const AFX_MSGMAP_ENTRY entries[] = {
#define END_MESSAGE_MAP()                                                    \
  { 0, 0, 0, nullptr }                                                       \
  }                                                                          \
  ;                                                                          \
  static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, entries}; \
  return &map;                                                               \
  }

#define ON_COMMAND(id, fn)                                                                    \
  {WM_COMMAND, 0, static_cast<UINT>(id), [](CCmdTarget* p, UINT, WPARAM, LPARAM) -> LRESULT { \
     static_cast<ThisClass*>(p)->fn();                                                        \
     return 0;                                                                                \
   }},
#define ON_BN_CLICKED(id, fn) ON_COMMAND(id, fn)
#define ON_WM_TIMER()                                                     \
  {WM_TIMER, 0, 0, [](CCmdTarget* p, UINT, WPARAM w, LPARAM) -> LRESULT { \
     static_cast<ThisClass*>(p)->OnTimer(static_cast<UINT_PTR>(w));       \
     return 0;                                                            \
   }},
#define ON_WM_CREATE()                                                                 \
  {WM_CREATE, 0, 0, [](CCmdTarget* p, UINT, WPARAM, LPARAM l) -> LRESULT {             \
     return static_cast<ThisClass*>(p)->OnCreate(reinterpret_cast<LPCREATESTRUCT>(l)); \
   }},
#define ON_WM_CTLCOLOR() {kAfxCtlColor, 0, 0, &AfxCtlColorThunk<ThisClass>},

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)

 public:
  // Looks for a handler of command id with notification code in this
  // object's message map (and its bases') and runs it.
  virtual BOOL OnCmdMsg(UINT id, int code);
  bool HandlesCommand(UINT id) const;
  void BeginWaitCursor();
  void EndWaitCursor();

  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;

 protected:
  const AFX_MSGMAP_ENTRY* FindEntry(UINT msg, UINT code, UINT id) const;
};
