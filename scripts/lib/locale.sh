# Sourced where the Japanese locale is wanted (the install under code page
# 932): whether ja_JP.UTF-8 is there, and making it.
ja_locale_here() {
  locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\{0,1\}8'
}
# ja_locale_make [SUDO]: makes ja_JP.UTF-8 (as root, or through SUDO).
ja_locale_make() {
  ${1:-} localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
}
