// One way to ask for the page to be drawn again, whoever changed what it shows: the page
// registers its drawing once; the others ask.

const drawing = { draw: () => {} };

export function onRedraw(draw) {
  drawing.draw = draw;
}

export function redraw() {
  drawing.draw();
}
