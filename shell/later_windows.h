#pragma once
// Windows whose content comes later: each is its class with its caption, plus the controls and
// fields that other windows already use. The menu opens them all the same.
#include <cstdint>

#include "platform/forms/forms.h"
#include "shell/session.h"
#include "shell/window_links.h"

class TForm42 : public TForm {
public:
    TForm42();
};
class TForm43 : public TForm {
public:
    TForm43();
};
class TForm44 : public TForm {
public:
    TForm44();
};
class TForm45 : public TForm {
public:
    TForm45();
};
class TForm46 : public TForm {
public:
    TForm46();
};
class TForm49 : public TForm {
public:
    TForm49();
};
class TForm51 : public TForm {
public:
    TForm51();
};
class TForm53 : public TForm {
public:
    TForm53();
};

extern TForm42* Form42;
extern TForm43* Form43;
extern TForm44* Form44;
extern TForm45* Form45;
extern TForm46* Form46;
extern TForm49* Form49;
extern TForm51* Form51;
extern TForm53* Form53;
