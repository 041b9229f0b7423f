@ A GBA ROM: mode 3, the screen filled with a colour that steps every
@ frame. The header's logo is left blank: mGBA and the emulators here boot
@ without the BIOS, which is what checks it.
    .arm
    .section .text
    .global _start
_start:
    b       start
    .fill   156, 1, 0                  @ logo
    .ascii  "TARVO TEST  "             @ title, 12 bytes
    .ascii  "TRVE"                     @ game code
    .ascii  "00"                       @ maker
    .byte   0x96                       @ fixed value
    .byte   0, 0                       @ unit, device
    .fill   7, 1, 0
    .byte   0                          @ version
    .byte   0                          @ complement, filled in by the script
    .byte   0, 0
start:
    mov     r0, #0x04000000
    ldr     r1, =0x0403                @ mode 3, BG2 on
    strh    r1, [r0]
    mov     r5, #0                     @ the colour
frame:
    mov     r0, #0x04000000
1:  ldrh    r1, [r0, #6]               @ VCOUNT: wait for line 160
    cmp     r1, #160
    bne     1b
    mov     r2, #0x06000000
    mov     r3, #38400                 @ 240 * 160 pixels
    orr     r4, r5, r5, lsl #16
2:  str     r4, [r2], #4
    subs    r3, r3, #2
    bne     2b
    add     r5, r5, #0x21
    bic     r5, r5, #0x8000
3:  ldrh    r1, [r0, #6]               @ leave vblank before the next frame
    cmp     r1, #160
    beq     3b
    b       frame
    .ltorg
