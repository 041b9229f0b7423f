; A one-screen NES ROM (NROM-128): a colour that changes every frame, so an
; emulator that runs it is seen to run. Built with ca65 and nes.cfg here.
.segment "HEADER"
  .byte "NES", $1A, 1, 1, 0, 0      ; 16 KiB PRG, 8 KiB CHR, mapper 0
  .res 8, 0

.segment "ZEROPAGE"
colour: .res 1

.segment "CODE"
reset:
  sei
  cld
  ldx #$FF
  txs
  inx
  stx $2000                          ; no NMI yet
  stx $2001                          ; rendering off
  bit $2002
: bit $2002                          ; two vblanks: the PPU is awake
  bpl :-
: bit $2002
  bpl :-
  lda #$80
  sta $2000                          ; NMI on every vblank
  lda #$08
  sta $2001                          ; background on
forever:
  jmp forever

nmi:
  inc colour
  lda colour
  lsr
  lsr
  lsr
  and #$3F
  ldx #$3F                           ; palette entry 0: the backdrop
  stx $2006
  ldx #$00
  stx $2006
  sta $2007
  lda #$00                           ; scroll back to the top left
  sta $2006
  sta $2006
  sta $2005
  sta $2005
irq:
  rti

.segment "VECTORS"
  .word nmi, reset, irq

.segment "CHARS"
  .res $2000, 0
