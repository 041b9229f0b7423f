; A 4 KiB Atari 2600 ROM: a whole frame of colour bars that scroll, with
; proper VSYNC so Stella locks on to it. Built with ca65 and atari2600.cfg.
VSYNC  = $00
VBLANK = $01
WSYNC  = $02
COLUBK = $09
TIM64T = $296
INTIM  = $284

.segment "ZEROPAGE"
frame: .res 1

.segment "STARTUP"
reset:
  sei
  cld
  ldx #$FF
  txs
  lda #0
: sta $00,x                          ; clear TIA and RAM
  dex
  bne :-
frame_loop:
  lda #2
  sta VBLANK
  sta VSYNC
  sta WSYNC
  sta WSYNC
  sta WSYNC
  lda #0
  sta VSYNC
  lda #43                            ; 37 lines of vertical blank
  sta TIM64T
  inc frame
: lda INTIM
  bne :-
  sta WSYNC
  sta VBLANK
  ldy #192
  lda frame
lines:
  sta WSYNC
  sta COLUBK
  clc
  adc #1
  dey
  bne lines
  lda #2
  sta VBLANK
  ldx #30                            ; overscan
: sta WSYNC
  dex
  bne :-
  jmp frame_loop

.segment "VECTORS"
  .word reset, reset, reset
