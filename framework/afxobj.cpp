// Runtime classes, message maps and command routing.
#include <cstring>

#include "afxobj.h"

const CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), nullptr, nullptr};

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
  for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass) {
    if (c == base) return true;
  }
  return false;
}

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, nullptr}};
  static const AFX_MSGMAP map = {nullptr, entries};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(UINT msg, UINT code, UINT id) const {
  for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e) {
      if (e->nMessage != msg) continue;
      if (msg != WM_COMMAND || (e->nCode == code && e->nID == id)) return e;
    }
  }
  return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT id, int code) {
  const AFX_MSGMAP_ENTRY* e = FindEntry(WM_COMMAND, static_cast<UINT>(code), id);
  if (!e) return FALSE;
  e->pfn(this, WM_COMMAND, MAKEWPARAM(id, code), 0);
  return TRUE;
}

bool CCmdTarget::HandlesCommand(UINT id) const { return FindEntry(WM_COMMAND, 0, id) != nullptr; }

namespace {
HCURSOR g_cursorBeforeWait = nullptr;
int g_waitDepth = 0;
}  // namespace

void CCmdTarget::BeginWaitCursor() {
  HCURSOR before = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
  if (g_waitDepth++ == 0) g_cursorBeforeWait = before;
}

void CCmdTarget::EndWaitCursor() {
  if (g_waitDepth == 0) return;
  if (--g_waitDepth == 0) {
    ::SetCursor(g_cursorBeforeWait ? g_cursorBeforeWait : ::LoadCursorA(nullptr, IDC_ARROW));
  }
}
