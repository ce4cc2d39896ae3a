#pragma once
// Windows whose content comes later: each is its class with its caption, plus the controls and
// fields that other windows already use. The menu opens them all the same.
#include <cstdint>

#include "platform/forms/forms.h"
#include "shell/session.h"
#include "shell/window_links.h"

class TForm15 : public TForm {
public:
    TForm15();
};
class TForm16 : public TForm {
public:
    TForm16();
};
class TForm17 : public TForm {
public:
    TForm17();
};
class TForm18 : public TForm {
public:
    TForm18();
};
class TForm19 : public TForm {
public:
    TForm19();
};
class TForm22 : public TForm {
public:
    TForm22();
};

class TForm36 : public TForm {
public:
    TForm36();
};
class TForm37 : public TForm {
public:
    TForm37();
};
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

extern TForm15* Form15;
extern TForm16* Form16;
extern TForm17* Form17;
extern TForm18* Form18;
extern TForm19* Form19;
extern TForm22* Form22;
extern TForm36* Form36;
extern TForm37* Form37;
extern TForm42* Form42;
extern TForm43* Form43;
extern TForm44* Form44;
extern TForm45* Form45;
extern TForm46* Form46;
extern TForm49* Form49;
extern TForm51* Form51;
extern TForm53* Form53;
