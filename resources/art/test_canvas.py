"""Unit tests of the supersampled canvas: run with
/usr/bin/python3 -m unittest discover -s resources/art
"""

import unittest

from canvas import Canvas, VerticalGradient

RED = (255, 0, 0)
BLUE = (0, 0, 255)


def _alphas(picture):
    width = picture.width
    values = list(picture.getchannel("A").getdata())
    return [values[y * width:(y + 1) * width] for y in range(picture.height)]


class CanvasTest(unittest.TestCase):
    def test_whole_unit_rectangles_cover_exactly_their_pixels(self):
        c = Canvas(4, 4)
        c.paint(c.rect((1, 1, 3, 3)), RED)
        self.assertEqual(_alphas(c.render()),
                         [[0, 0, 0, 0], [0, 255, 255, 0], [0, 255, 255, 0], [0, 0, 0, 0]])

    def test_circles_are_centred_on_their_centre(self):
        c = Canvas(5, 5)
        c.paint(c.circle((2.5, 2.5), 2.5), RED)
        alphas = _alphas(c.render())
        self.assertEqual(alphas, [row[::-1] for row in alphas])
        self.assertEqual(alphas, alphas[::-1])

    def test_design_units_scale_to_the_picture(self):
        c = Canvas(4, 8)
        c.paint(c.rect((2, 2, 6, 6)), RED)
        self.assertEqual(_alphas(c.render())[1], [0, 255, 255, 0])

    def test_edge_pixels_keep_their_colour_and_get_partial_alpha(self):
        c = Canvas(2, 2)
        c.paint(c.rect((0, 0, 1.5, 2)), RED)
        picture = c.render()
        self.assertEqual(picture.getpixel((1, 0)), RED + (128,))

    def test_rim_is_a_band_inside_the_edge(self):
        c = Canvas(6, 6)
        square = c.rect((0, 0, 6, 6))
        c.paint(square, RED)
        c.paint(square.rim(1), BLUE)
        picture = c.render()
        self.assertEqual(picture.getpixel((0, 3)), BLUE + (255,))
        self.assertEqual(picture.getpixel((5, 3)), BLUE + (255,))
        self.assertEqual(picture.getpixel((1, 3)), RED + (255,))

    def test_grown_shape_spreads_by_the_radius(self):
        c = Canvas(5, 5)
        c.paint(c.rect((2, 2, 3, 3)).grown(1), RED)
        self.assertEqual(_alphas(c.render())[2], [0, 255, 255, 255, 0])

    def test_shape_set_operations(self):
        c = Canvas(3, 3)
        left, right = c.rect((0, 0, 2, 1)), c.rect((1, 0, 3, 1))
        for shape, expected in [(left | right, [255, 255, 255]), (left & right, [0, 255, 0]),
                                (left - right, [255, 0, 0])]:
            c.erase(c.rect((0, 0, 3, 1)))
            c.paint(shape, RED)
            self.assertEqual(_alphas(c.render())[0], expected)

    def test_vertical_gradient_runs_from_top_to_bottom_colour(self):
        c = Canvas(4, 4)
        c.paint(c.rect((0, 0, 1, 4)), VerticalGradient(RED, BLUE, 0, 4))
        reds = [c.render().getpixel((0, y))[0] for y in range(4)]
        self.assertEqual(reds, sorted(reds, reverse=True))
        self.assertGreater(reds[0], 200)
        self.assertLess(reds[3], 55)


if __name__ == "__main__":
    unittest.main()
