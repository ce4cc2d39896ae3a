#pragma once
// Windows whose content comes later: each is its class with its caption, plus the controls and
// fields that other windows already use. The menu opens them all the same.
#include <cstdint>

#include "platform/forms/forms.h"
#include "shell/session.h"
#include "shell/window_links.h"

class TForm8 : public TForm {
public:
    TForm8();
};
class TForm9 : public TForm {
public:
    TForm9();
};

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
class TForm23 : public TForm {
public:
    TForm23();
};
class TForm24 : public TForm {
public:
    TForm24();
};
class TForm25 : public TForm {
public:
    TForm25();
};

class TForm31 : public TForm {
public:
    TForm31();
};

class TForm35 : public TForm {
public:
    TForm35();
};
class TForm36 : public TForm {
public:
    TForm36();
};
class TForm37 : public TForm {
public:
    TForm37();
};
class TForm41 : public TForm {
public:
    TForm41();
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
class TForm48 : public TForm {
public:
    TForm48();
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
class TForm54 : public TForm {
public:
    TForm54();
};

extern TForm8* Form8;
extern TForm9* Form9;
extern TForm15* Form15;
extern TForm16* Form16;
extern TForm17* Form17;
extern TForm18* Form18;
extern TForm19* Form19;
extern TForm22* Form22;
extern TForm23* Form23;
extern TForm24* Form24;
extern TForm25* Form25;
extern TForm31* Form31;
extern TForm35* Form35;
extern TForm36* Form36;
extern TForm37* Form37;
extern TForm41* Form41;
extern TForm42* Form42;
extern TForm43* Form43;
extern TForm44* Form44;
extern TForm45* Form45;
extern TForm46* Form46;
extern TForm48* Form48;
extern TForm49* Form49;
extern TForm51* Form51;
extern TForm53* Form53;
extern TForm54* Form54;
